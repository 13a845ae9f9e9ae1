// Draws one frame of the lyrics display strip: the time ruler, the
// waveform, a box for every stamped unit with its text, the next units
// still to stamp, the current unit and the play cursor. Only what lies in
// view is drawn, so a frame costs the same for a short song and a long one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "filters/core/lyrics_copy.h"
#include "filters/core/peak_table.h"
#include "filters/core/strip_view.h"
#include "filters/core/timestamp_pair.h"

// Heights of the strip's bands, in pixels.
constexpr int kRulerHeight = 22;

struct StripScene {
  const StripView* view = nullptr;
  int height = 0;
  const PairList* pairs = nullptr;
  const LyricsCopy* lyrics = nullptr;
  const PeakTable* peaks = nullptr;  // null or empty: no waveform
  int32_t cursor = 0;                // play position, centiseconds
  int currentUnit = -1;
  int activePair = -1;               // the pair a tool is working on, or -1
  bool focused = false;
  HFONT lyricsFont = nullptr;
  int lyricsFontHeight = 16;         // pixels of the lyrics font's cells
  HFONT labelFont = nullptr;
};

// Where the lyrics lane starts: the band at the bottom that holds the units'
// text.
int LaneTop(int height, int lyricsFontHeight);

// How one pixel column below the ruler is painted: its colours in the wave
// band (tinted where a unit's box covers it) and in the lane, and the rows
// its waveform covers.
struct ColumnPaint {
  uint32_t background;
  uint32_t wave;
  uint32_t centre;
  uint32_t lane;
  uint32_t bar;      // the top rows of the current unit's box
  bool hasBar;
  int waveTop;       // rows [waveTop, waveBottom) show the waveform
  int waveBottom;
};

// Memory the painter reuses from frame to frame.
struct StripPaintCache {
  std::vector<Peak> peaks;
  std::vector<ColumnPaint> columns;
};

// Draws into `dc`, a memory device context with a top-down 32-bit DIB
// section of view->width x height selected, whose pixels are `bits`.
void PaintStrip(HDC dc, uint32_t* bits, const StripScene& scene, StripPaintCache& cache);
