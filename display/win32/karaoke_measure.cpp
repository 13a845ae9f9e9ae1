// Measures the lyrics in the display's font: the width of every text line
// and the pixel edges of every piece. Widths include one space of margin.
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"

namespace {

// The font is four times larger when anti-aliasing: back to output pixels.
int32_t ToOutputPixels(int32_t width, bool smooth) { return smooth ? (width + 3) / 4 : width; }

uint16_t ClampToSixteenBits(int32_t value) {
  return static_cast<uint16_t>(value < 0 ? 0 : (value > 0xFFFF ? 0xFFFF : value));
}

}  // namespace

HRESULT MeasureLyrics(KaraokeDisplay& display, HDC dc) {
  TimedLyrics& lyrics = display.lyrics;
  if (!lyrics.textBuffer || !display.lyricsFont) return E_FAIL;
  if (!dc) return E_INVALIDARG;
  Selection font(dc, display.lyricsFont);
  const bool smooth = display.settings.smoothText != 0;

  SIZE extent;
  if (!GetTextExtentPoint32A(dc, " ", 1, &extent)) return E_FAIL;
  display.spaceWidth = extent.cx;

  for (int32_t i = 0; i < lyrics.textLineCount; ++i) {
    TextLine& line = lyrics.textLines[i];
    if (!GetTextExtentPoint32A(dc, line.text, line.length, &extent)) return E_FAIL;
    line.width = ToOutputPixels(extent.cx + display.spaceWidth, smooth);
  }

  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    Syncpoint& piece = lyrics.syncpoints[i];
    const DisplayLine& displayLine = lyrics.displayLines[piece.line];
    const TextLine& line = lyrics.textLines[displayLine.textLine];
    int32_t end = line.width;
    if (piece.endByte != kToLineEnd) {
      const int32_t bytes = piece.endByte < line.length ? piece.endByte : line.length;
      if (!GetTextExtentPoint32A(dc, line.text, bytes, &extent)) return E_FAIL;
      end = ToOutputPixels(extent.cx + display.spaceWidth, smooth);
    }
    piece.startPos = i == displayLine.firstSyncpoint ? 0 : lyrics.syncpoints[i - 1].endPos;
    piece.endPos = ClampToSixteenBits(end);
  }
  return S_OK;
}
