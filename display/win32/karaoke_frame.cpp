// One frame of the karaoke display: move the cursor, fill the line slots,
// highlight, and copy the block of lines to the screen through a band.
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"

namespace {

int32_t TextWidth(const KaraokeDisplay& display, int32_t line) {
  return display.lyrics.textLines[display.lyrics.displayLines[line].textLine].width;
}

int32_t FirstStart(const KaraokeDisplay& display, int32_t line) {
  return display.lyrics.syncpoints[display.lyrics.displayLines[line].firstSyncpoint].startTime;
}

bool SlotHolds(const KaraokeDisplay& display, int32_t line) {
  return display.slots[SlotOf(line, display.slotCount)].displayLine == line;
}

// A line below the current one: present and unsung.
void ShowUnsung(KaraokeDisplay& display, HDC memoryDc, int32_t line) {
  if (SlotHolds(display, line)) {
    UnhighlightLine(display, line);
  } else {
    RenderLineToSlot(display, memoryDc, line);
  }
}

void ClearUnlessCleared(KaraokeDisplay& display, HDC memoryDc, int32_t slot) {
  if (display.slots[slot].displayLine != kSlotCleared) ClearSlot(display, memoryDc, slot);
}

// Copies rows [fromRow, toRow) of `slot`'s line box to band row `bandRow`.
void CopySlotRows(const KaraokeDisplay& display, HDC bandDc, HDC memoryDc, int32_t slotIndex,
                  int32_t fromRow, int32_t toRow, int32_t bandRow) {
  const LineSlot& slot = display.slots[slotIndex];
  if (slot.displayLine < 0 || toRow <= fromRow) return;
  const int32_t from = slot.x > 0 ? slot.x : 0;
  const int64_t stop = int64_t(slot.x) + TextWidth(display, slot.displayLine);
  const int32_t to = stop < display.displayWidth ? int32_t(stop) : display.displayWidth;
  if (from >= to) return;
  BitBlt(bandDc, from, bandRow, to - from, toRow - fromRow, memoryDc, from,
         slotIndex * display.lineHeight + fromRow, SRCCOPY);
}

void FillStrip(HDC dc, HBRUSH brush, LONG left, LONG top, LONG right, LONG bottom) {
  if (!brush || top >= bottom) return;
  RECT strip = {left, top, right, bottom};
  FillRect(dc, &strip, brush);
}

}  // namespace

HRESULT DrawFrame(KaraokeDisplay& display, HDC dc, const RECT& rect, int32_t t, bool fillOutside,
                  TimingOffset& timing) {
  const TimedLyrics& lyrics = display.lyrics;
  if (lyrics.syncpointCount <= 0) return E_FAIL;
  if (!dc) return E_INVALIDARG;
  if (rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return S_OK;
  const LayoutInfo* layout = FindLayoutInfo(display.layout);
  if (!layout || !display.slots || display.slotCount != layout->slotCount) return E_FAIL;
  MemoryDc memory(dc);
  if (!memory) return E_FAIL;
  HDC memoryDc = memory.get();
  if (t < 0) t = 0;

  const int32_t c =
      MoveCursor(lyrics.syncpoints, lyrics.syncpointCount, display.currentSyncpoint, t);
  display.currentSyncpoint = c;
  const Syncpoint& piece = lyrics.syncpoints[c];
  const int32_t e = piece.line;
  const int32_t last = lyrics.displayLineCount - 1;
  const int32_t slots = layout->slotCount;
  const int32_t lineHeight = display.lineHeight;

  if (!SlotHolds(display, e)) RenderLineToSlot(display, memoryDc, e);
  const int32_t target = HighlightTarget(piece, t);
  if (display.slots[SlotOf(e, slots)].highlightedWidth > target) UnhighlightLine(display, e);
  HighlightLine(display, e, target);

  int32_t scroll = 0;
  if (display.layout == KaraokeLayout::TwoLines) {
    if (e < last) {
      ShowUnsung(display, memoryDc, e + 1);
    } else if (e > 0) {
      ClearSlot(display, memoryDc, SlotOf(e + 1, slots));
    }
  } else if (layout->scrolls) {
    const int32_t lookAhead = layout->lookAhead;
    for (int32_t j = e + 1; j <= e + lookAhead; ++j) {
      if (j <= last) {
        ShowUnsung(display, memoryDc, j);
      } else {
        ClearUnlessCleared(display, memoryDc, SlotOf(j, slots));
      }
    }
    if (e < last) scroll = ScrollOffset(FirstStart(display, e), FirstStart(display, e + 1), t, lineHeight);
    for (int32_t k = e - 1; k >= e - 1 - lookAhead; --k) {
      if (k < 0) {
        ClearUnlessCleared(display, memoryDc, SlotOf(k, slots));
        continue;
      }
      if (!SlotHolds(display, k)) RenderLineToSlot(display, memoryDc, k);
      const int32_t width = TextWidth(display, k);
      if (display.slots[SlotOf(k, slots)].highlightedWidth < width) HighlightLine(display, k, width);
    }
  }

  const BandPlacement band =
      PlaceBand(display.settings, rect.top, rect.bottom, layout->linesShown, lineHeight);
  const LONG bandTop = band.y > rect.top ? band.y : rect.top;
  if (fillOutside) {
    FillStrip(dc, display.backgroundBrush, rect.left, rect.top, rect.right, bandTop);
    FillStrip(dc, display.backgroundBrush, rect.left, bandTop + (band.height > 0 ? band.height : 0),
              rect.right, rect.bottom);
  }
  // The block lies wholly outside the rectangle: nothing more to show.
  if (band.height <= 0) return S_OK;

  const int32_t width = display.displayWidth;
  GdiObject<HBITMAP> bandBitmap(CreateCompatibleBitmap(dc, width, band.height));
  MemoryDc bandMemory(dc);
  if (!bandBitmap || !bandMemory) return E_FAIL;
  HDC bandDc = bandMemory.get();
  {
    Selection bandSelection(bandDc, bandBitmap.get());
    FillStrip(bandDc, display.backgroundBrush, 0, 0, width, band.height);
    {
      Selection slotSelection(memoryDc, display.slotBitmap);
      const int32_t y0 = band.firstRow;
      if (!layout->scrolls) {
        for (int32_t l = 0; l < layout->linesShown; ++l) {
          CopySlotRows(display, bandDc, memoryDc, l, 0, lineHeight, y0 + l * lineHeight);
        }
      } else {
        // From the line above the top row, cut by the scroll, around the
        // slots in cyclic order, to the top rows of the line scrolling in.
        int32_t slot = SlotOf(e - layout->lookAhead - 1, slots);
        int32_t row = y0;
        CopySlotRows(display, bandDc, memoryDc, slot, scroll, lineHeight, row);
        row += lineHeight - scroll;
        for (int32_t i = 0; i < slots - 2; ++i) {
          slot = (slot + 1) % slots;
          CopySlotRows(display, bandDc, memoryDc, slot, 0, lineHeight, row);
          row += lineHeight;
        }
        if (scroll >= 1) {
          slot = (slot + 1) % slots;
          CopySlotRows(display, bandDc, memoryDc, slot, 0, scroll, row);
        }
      }
    }

    if (timing.indicatorFrames > 0) {
      --timing.indicatorFrames;
      const RECT bandRect = {rect.left, bandTop, rect.right, bandTop + band.height};
      DrawOffsetIndicator(display, dc, bandDc, memoryDc, rect, bandRect, timing);
    }
    BitBlt(dc, rect.left, bandTop, width, band.height, bandDc, 0, 0, SRCCOPY);
  }
  GdiFlush();
  return S_OK;
}
