#include "filters/lyrics_display/strip_fonts.h"

#include <cstdlib>

namespace {

// The lyrics are drawn at most this high, so that they fit the strip.
constexpr LONG kLargestFontHeight = 30;

}  // namespace

void MakeStripFonts(const LOGFONTA& lyricsFont, bool smoothing, StripFonts* fonts) {
  LOGFONTA font = lyricsFont;
  font.lfQuality = smoothing ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
  if (std::labs(font.lfHeight) > kLargestFontHeight) {
    font.lfHeight = font.lfHeight < 0 ? -kLargestFontHeight : kLargestFontHeight;
    font.lfWidth = 0;
  }
  font.lfEscapement = font.lfOrientation = 0;
  fonts->lyrics.emplace(CreateFontIndirectA(&font));
  LOGFONTA label = {};
  label.lfHeight = -11;
  label.lfWeight = FW_NORMAL;
  label.lfCharSet = DEFAULT_CHARSET;
  label.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynA(label.lfFaceName, "Tahoma", LF_FACESIZE);
  fonts->label.emplace(CreateFontIndirectA(&label));
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, fonts->Lyrics());
  TEXTMETRICA metrics = {};
  if (GetTextMetricsA(screen, &metrics)) fonts->lyricsHeight = metrics.tmHeight;
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
}
