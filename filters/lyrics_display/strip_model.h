// What the lyrics display shows and edits: the pairs with their history,
// the copy of the lyrics, the song's peaks and length, the tool and the
// font. The filter owns it; its interface methods and its window (on the
// application's thread) read and change it under `lock`.
#pragma once

#include <windows.h>

#include <cstdint>

#include "filters/core/lyrics_copy.h"
#include "filters/core/pair_history.h"
#include "filters/core/pair_tools.h"
#include "filters/core/peak_table.h"
#include "filters/directshow/critical_section.h"
#include "filters/lyrics_display/ilyrics_display.h"

struct StripModel {
  CriticalSection lock;
  PairList pairs;
  PairHistory history;
  LyricsCopy lyrics;
  PeakTable peaks;
  int32_t songLength = 0;  // centiseconds; 0 before Load
  int32_t tool = kToolSet;
  LOGFONTA font = DefaultFont();
  bool smoothing = true;

  PairBounds Bounds() const { return PairBounds{lyrics.Units().size(), songLength}; }

  static LOGFONTA DefaultFont() {
    LOGFONTA font = {};
    font.lfHeight = -16;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return font;
  }
};

// The code page's lead bytes, for the lyrics copy.
inline bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }
