// The line operations: a line's text rasterised into its slot, and the
// highlight painted on and off from the stored coverage.
#include "display/mask_coverage.h"
#include "display/shade_table.h"
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"

namespace {

bool IsDisplayLine(const KaraokeDisplay& display, int32_t line) {
  return line >= 0 && line < display.lyrics.displayLineCount;
}

const TextLine& TextOf(const KaraokeDisplay& display, int32_t line) {
  return display.lyrics.textLines[display.lyrics.displayLines[line].textLine];
}

// Repaints columns [from, to) of every row of `slot` with shade row
// `row(y)` at each pixel's coverage level.
template <typename RowOf>
void Paint(const KaraokeDisplay& display, const LineSlot& slot, int32_t from, int32_t to,
           RowOf row) {
  const int32_t width = display.displayWidth;
  for (int32_t y = 0; y < display.lineHeight; ++y) {
    const uint32_t* shades = display.shadeTable + row(y) * kCoverageLevels;
    const uint8_t* coverage = slot.coverage + size_t(y) * width;
    uint32_t* pixels = slot.pixels + size_t(y) * width;
    for (int32_t c = from; c < to; ++c) pixels[c] = shades[coverage[c]];
  }
}

}  // namespace

HRESULT RenderLineToSlot(KaraokeDisplay& display, HDC memoryDc, int32_t line) {
  if (!display.lyrics.textLines || !display.lyricsFont || !display.maskBitmap ||
      !display.slots || !display.shadeTable) {
    return E_FAIL;
  }
  if (!IsDisplayLine(display, line) || !memoryDc) return E_INVALIDARG;
  const TextLine& text = TextOf(display, line);
  const int32_t x = LineX(display.settings, display.layout, display.displayWidth, text.width, line);
  const bool smooth = display.settings.smoothText != 0;
  const int32_t scale = smooth ? 4 : 1;

  {
    Selection font(memoryDc, display.lyricsFont);
    Selection mask(memoryDc, display.maskBitmap);
    PatBlt(memoryDc, 0, 0, display.displayWidth * scale, display.lineHeight * scale, WHITENESS);
    SetTextColor(memoryDc, RGB(0, 0, 0));
    SetBkColor(memoryDc, RGB(255, 255, 255));
    SetBkMode(memoryDc, OPAQUE);
    TextOutA(memoryDc, x * scale + display.spaceWidth, 0, text.text, text.length);
  }
  // The drawing must have reached the mask's bits before they are read.
  GdiFlush();

  LineSlot& slot = display.slots[SlotOf(line, display.slotCount)];
  slot.displayLine = line;
  slot.x = x;
  slot.highlightedWidth = 0;
  const int32_t from = x > 0 ? x : 0;
  const int32_t end = int64_t(x) + text.width < display.displayWidth ? x + text.width
                                                                      : display.displayWidth;
  const uint32_t* unsung = display.shadeTable + display.lineHeight * kCoverageLevels;
  for (int32_t y = 0; y < display.lineHeight; ++y) {
    uint8_t* coverage = slot.coverage + size_t(y) * display.displayWidth;
    uint32_t* pixels = slot.pixels + size_t(y) * display.displayWidth;
    for (int32_t c = from; c < end; ++c) {
      const int level = CoverageLevel(display.maskBits, display.maskStride, c, y, smooth);
      coverage[c] = static_cast<uint8_t>(level);
      pixels[c] = unsung[level];
    }
  }
  return S_OK;
}

HRESULT HighlightLine(KaraokeDisplay& display, int32_t line, int32_t width) {
  if (!IsDisplayLine(display, line) || width < 0) return E_INVALIDARG;
  if (!display.slotBitmap || !display.slots || !display.shadeTable) return E_FAIL;
  LineSlot& slot = display.slots[SlotOf(line, display.slotCount)];
  const int64_t start = int64_t(slot.x) + slot.highlightedWidth;
  const int64_t stop = int64_t(slot.x) + width;
  const int32_t from = start > 0 ? int32_t(start) : 0;
  const int32_t to = stop < display.displayWidth ? int32_t(stop) : display.displayWidth;
  if (from < to) {
    Paint(display, slot, from, to, [](int32_t y) { return y; });
    slot.highlightedWidth = width;
  } else if (slot.highlightedWidth < width) {
    slot.highlightedWidth = width;
  }
  return S_OK;
}

HRESULT UnhighlightLine(KaraokeDisplay& display, int32_t line) {
  if (!IsDisplayLine(display, line)) return E_INVALIDARG;
  if (!display.slotBitmap || !display.slots || !display.shadeTable) return E_FAIL;
  LineSlot& slot = display.slots[SlotOf(line, display.slotCount)];
  const int32_t from = slot.x > 0 ? slot.x : 0;
  const int64_t stop = int64_t(slot.x) + slot.highlightedWidth;
  const int32_t to = stop < display.displayWidth ? int32_t(stop) : display.displayWidth;
  if (from < to) {
    const int32_t unsung = display.lineHeight;
    Paint(display, slot, from, to, [unsung](int32_t) { return unsung; });
    slot.highlightedWidth = 0;
  }
  return S_OK;
}

HRESULT ClearSlot(KaraokeDisplay& display, HDC, int32_t slot) {
  if (!display.slotBitmap || !display.slots) return E_FAIL;
  if (slot < 0 || slot >= display.slotCount) return E_INVALIDARG;
  display.slots[slot].displayLine = kSlotCleared;
  display.slots[slot].x = 0;
  display.slots[slot].highlightedWidth = 0;
  return S_OK;
}
