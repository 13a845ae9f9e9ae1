// The karaoke display engine: the GDI resources one display caches from
// frame to frame, the line operations on its slots, and the frame itself.
// Every operation reports an HRESULT; the Winamp plug-in maps them to
// true/false at its edge.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/display_settings.h"
#include "display/display_settings_store.h"
#include "display/karaoke_layout.h"
#include "lyrics/timed_lyrics.h"

// One line image in `slotBitmap` with its coverage levels.
struct LineSlot {
  int32_t displayLine;       // -2 unused since the bitmaps were made, -1 cleared
  int32_t x;                 // left edge of the line box; negative when wider than the display
  int32_t highlightedWidth;  // pixels from x painted in the highlight colours
  uint8_t* coverage;         // lineHeight rows of displayWidth levels
  uint32_t* pixels;          // first of lineHeight rows in slotBitmap
};

constexpr int32_t kSlotUnused = -2;
constexpr int32_t kSlotCleared = -1;

struct KaraokeDisplay {
  TimedLyrics lyrics;
  LineSlot* slots = nullptr;
  int32_t slotCount = 0;  // of the bitmaps as made
  int32_t currentSyncpoint = 0;
  HFONT lyricsFont = nullptr;
  HBITMAP maskBitmap = nullptr;
  uint8_t* maskBits = nullptr;
  int32_t maskStride = 0;
  HBITMAP slotBitmap = nullptr;
  uint32_t* slotBits = nullptr;
  HBRUSH backgroundBrush = nullptr;
  uint8_t* coverage = nullptr;
  int32_t displayWidth = 0;
  int32_t lineHeight = 0;
  int32_t displayHeight = 0;
  int32_t spaceWidth = 0;
  DisplaySettings settings{};
  uint32_t* shadeTable = nullptr;
  KaraokeLayout layout = KaraokeLayout::OneLine;

  KaraokeDisplay() = default;
  ~KaraokeDisplay();
  KaraokeDisplay(const KaraokeDisplay&) = delete;
  KaraokeDisplay& operator=(const KaraokeDisplay&) = delete;
};

// Caches. Prepare* make what is missing; Drop* always succeed.
HRESULT PrepareBackgroundBrush(KaraokeDisplay& display, HDC dc);
HRESULT PrepareFont(KaraokeDisplay& display, HDC dc);
HRESULT PrepareBitmaps(KaraokeDisplay& display, HDC dc);
void DropBackgroundBrush(KaraokeDisplay& display);
void DropFont(KaraokeDisplay& display);
void DropBitmaps(KaraokeDisplay& display);
// All caches and the lyrics: for a new song, and at destruction.
void DropLyrics(KaraokeDisplay& display);
// Chooses the layout; another layout gets its slot bitmaps made anew.
void SetKaraokeLayout(KaraokeDisplay& display, KaraokeLayout layout);

// Line operations on the slots.
HRESULT RenderLineToSlot(KaraokeDisplay& display, HDC memoryDc, int32_t line);
HRESULT HighlightLine(KaraokeDisplay& display, int32_t line, int32_t width);
HRESULT UnhighlightLine(KaraokeDisplay& display, int32_t line);
HRESULT ClearSlot(KaraokeDisplay& display, HDC memoryDc, int32_t slot);

// Measures the lyrics in the current font: line widths and piece edges.
HRESULT MeasureLyrics(KaraokeDisplay& display, HDC dc);

// Draws the lyrics at time `t` (playback time plus the timing offset)
// into `rect` of `dc`. `fillOutside` also paints the background above and
// below the block of lines. `timing` is the module's offset and box.
HRESULT DrawFrame(KaraokeDisplay& display, HDC dc, const RECT& rect, int32_t t, bool fillOutside,
                  TimingOffset& timing);

// The box in the bottom-right corner that shows the timing offset.
HRESULT DrawOffsetIndicator(KaraokeDisplay& display, HDC dc, HDC bandDc, HDC memoryDc,
                            const RECT& rect, const RECT& band, const TimingOffset& timing);

// The first step of a frame: when the options replaced the live settings,
// take them up (with lyrics, dropping every cache that depends on them).
// `lyricsDirectoryChanged` reports that the lyrics directory moved while no
// lyrics were loaded, so that the plug-in can look for lyrics again.
void TakeUpChangedSettings(KaraokeDisplay& display, DisplaySettingsStore& store,
                           bool* lyricsDirectoryChanged);

// Whether the next frame into `rect` makes the slot bitmaps anew.
bool NeedsNewBitmaps(const KaraokeDisplay& display, const RECT& rect);

// The rest of a frame: without lyrics the background; with lyrics the
// caches that are missing are made, then the lyrics at `playbackTime`
// shifted by the timing offset are drawn.
HRESULT DrawKaraokeFrame(KaraokeDisplay& display, HDC dc, const RECT& rect,
                         int32_t playbackTime, bool fillOutside, TimingOffset& timing);

// One frame as both plug-ins draw it: take up changed settings, prepare
// what is missing, draw. `lyricsDirectoryChanged` reports a settings change
// that moved the lyrics directory while no lyrics were loaded, so that the
// plug-in can look for the song's lyrics again.
HRESULT RenderKaraokeFrame(KaraokeDisplay& display, DisplaySettingsStore& store, HDC dc,
                           const RECT& rect, int32_t playbackTime, bool fillOutside,
                           TimingOffset& timing, bool* lyricsDirectoryChanged);
