// The strip's two fonts: the Lyrics Font for the units' text (held to a
// height that fits the strip, smoothed when asked) and a small face for
// the ruler's labels.
#pragma once

#include <windows.h>

#include <optional>

#include "display/win32/gdi_holders.h"

struct StripFonts {
  std::optional<GdiObject<HFONT>> lyrics;
  std::optional<GdiObject<HFONT>> label;
  int lyricsHeight = 16;  // pixels of the lyrics font's cells

  HFONT Lyrics() const { return lyrics ? lyrics->get() : nullptr; }
  HFONT Label() const { return label ? label->get() : nullptr; }
};

void MakeStripFonts(const LOGFONTA& lyricsFont, bool smoothing, StripFonts* fonts);
