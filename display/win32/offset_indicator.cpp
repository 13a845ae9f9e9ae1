// The box in the display's bottom-right corner that shows the user's
// timing offset for a moment after each offset key.
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"

HRESULT DrawOffsetIndicator(KaraokeDisplay& display, HDC dc, HDC bandDc, HDC memoryDc,
                            const RECT& rect, const RECT& band, const TimingOffset& timing) {
  if (timing.indicatorFrames < 0) return S_OK;
  if (!dc || !bandDc || !memoryDc) return E_INVALIDARG;
  SIZE extent;
  if (!GetTextExtentPoint32A(dc, "+88.88", 6, &extent)) return E_FAIL;
  const LONG boxWidth = extent.cx + 10;
  const LONG boxHeight = extent.cy + 10;
  const RECT box = {rect.right - boxWidth, rect.bottom - boxHeight, rect.right, rect.bottom};

  if (timing.indicatorFrames == 0) {
    // The band repaints its own part; erase the rest.
    RECT below = box;
    if (below.top < band.bottom) below.top = band.bottom;
    if (below.top < below.bottom && display.backgroundBrush) {
      FillRect(dc, &below, display.backgroundBrush);
    }
    return S_OK;
  }

  char text[7];
  FormatTimingOffset(timing.offset, text);
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, boxWidth, boxHeight));
  if (!bitmap) return E_FAIL;
  Selection selection(memoryDc, bitmap.get());
  PatBlt(memoryDc, 0, 0, boxWidth, boxHeight, BLACKNESS);
  SetTextColor(memoryDc, RGB(255, 255, 255));
  SetBkColor(memoryDc, RGB(0, 0, 0));
  SetBkMode(memoryDc, OPAQUE);
  TextOutA(memoryDc, 5, 5, text, 6);

  if (box.top >= band.bottom) {
    BitBlt(dc, box.left, box.top, boxWidth, boxHeight, memoryDc, 0, 0, SRCCOPY);
    return S_OK;
  }
  // The upper part goes into the band, which reaches the screen next; any
  // part outside the band goes straight to the screen.
  const LONG insideTop = box.top > band.top ? box.top : band.top;
  const LONG insideBottom = box.bottom < band.bottom ? box.bottom : band.bottom;
  if (insideTop < insideBottom) {
    BitBlt(bandDc, box.left - band.left, insideTop - band.top, boxWidth, insideBottom - insideTop,
           memoryDc, 0, insideTop - box.top, SRCCOPY);
  }
  if (box.top < band.top) {
    BitBlt(dc, box.left, box.top, boxWidth, band.top - box.top, memoryDc, 0, 0, SRCCOPY);
  }
  if (box.bottom > band.bottom) {
    BitBlt(dc, box.left, band.bottom, boxWidth, box.bottom - band.bottom, memoryDc, 0,
           band.bottom - box.top, SRCCOPY);
  }
  return S_OK;
}
