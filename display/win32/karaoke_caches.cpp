// The cached GDI resources of a display: brush, font with its shade table,
// and the mask and slot bitmaps with their coverage.
#include <cstdlib>
#include <cstring>

#include "display/shade_table.h"
#include "display/mask_coverage.h"
#include "display/win32/display_settings_win32.h"
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"

KaraokeDisplay::~KaraokeDisplay() { DropLyrics(*this); }

void DropBackgroundBrush(KaraokeDisplay& display) {
  if (display.backgroundBrush) DeleteObject(display.backgroundBrush);
  display.backgroundBrush = nullptr;
}

void DropFont(KaraokeDisplay& display) {
  if (display.lyricsFont) DeleteObject(display.lyricsFont);
  display.lyricsFont = nullptr;
  std::free(display.shadeTable);
  display.shadeTable = nullptr;
}

void DropBitmaps(KaraokeDisplay& display) {
  if (display.maskBitmap) DeleteObject(display.maskBitmap);
  if (display.slotBitmap) DeleteObject(display.slotBitmap);
  display.maskBitmap = nullptr;
  display.maskBits = nullptr;
  display.maskStride = 0;
  display.slotBitmap = nullptr;
  display.slotBits = nullptr;
  std::free(display.coverage);
  display.coverage = nullptr;
  std::free(display.slots);
  display.slots = nullptr;
  display.slotCount = 0;
}

void DropLyrics(KaraokeDisplay& display) {
  DropBitmaps(display);
  DropFont(display);
  DropBackgroundBrush(display);
  ClearTimedLyrics(display.lyrics);
  display.currentSyncpoint = 0;
}

void SetKaraokeLayout(KaraokeDisplay& display, KaraokeLayout layout) {
  if (display.layout == layout) return;
  DropBitmaps(display);
  display.layout = layout;
}

HRESULT PrepareBackgroundBrush(KaraokeDisplay& display, HDC dc) {
  DropBackgroundBrush(display);
  if (!dc) return E_INVALIDARG;
  // Paint the colour on a bitmap of the target device and read it back:
  // the brush then has the colour the device really shows.
  void* bits = nullptr;
  GdiObject<HBITMAP> dib(CreateDib32(dc, 2, 2, &bits));
  GdiObject<HBITMAP> device(CreateCompatibleBitmap(dc, 2, 2));
  MemoryDc from(dc), to(dc);
  GdiObject<HBRUSH> solid(CreateSolidBrush(display.settings.backgroundColor));
  if (!dib || !device || !from || !to || !solid) return E_FAIL;
  COLORREF shown;
  {
    Selection a(from.get(), dib.get()), b(to.get(), device.get());
    RECT all = {0, 0, 2, 2};
    FillRect(from.get(), &all, solid.get());
    BitBlt(to.get(), 0, 0, 2, 2, from.get(), 0, 0, SRCCOPY);
    shown = GetPixel(to.get(), 0, 0);
  }
  if (shown == CLR_INVALID) return E_FAIL;
  display.backgroundBrush = CreateSolidBrush(shown);
  return display.backgroundBrush ? S_OK : E_FAIL;
}

HRESULT PrepareFont(KaraokeDisplay& display, HDC dc) {
  DropFont(display);
  if (!dc) return E_INVALIDARG;
  LOGFONTA font = ToLogFont(display.settings.font);
  if (display.settings.smoothText) font.lfHeight *= 4;
  display.lyricsFont = CreateFontIndirectA(&font);
  // Without a font the measuring fails and the next frame tries again.
  if (!display.lyricsFont) return S_OK;

  TEXTMETRICA metrics = {};
  BOOL measured;
  {
    Selection select(dc, display.lyricsFont);
    measured = GetTextMetricsA(dc, &metrics);
  }
  if (!measured) {
    DropFont(display);
    return E_FAIL;
  }
  int32_t height = metrics.tmHeight + metrics.tmExternalLeading;
  if (display.settings.smoothText) height = (height + 3) / 4;
  display.lineHeight = height;
  display.shadeTable = AllocateShadeTable(height);
  if (!display.shadeTable) {
    DropFont(display);
    return E_FAIL;
  }
  BuildShadeTable(display.settings, height, display.shadeTable);
  return S_OK;
}

HRESULT PrepareBitmaps(KaraokeDisplay& display, HDC dc) {
  DropBitmaps(display);
  if (!dc) return E_INVALIDARG;
  const LayoutInfo* layout = FindLayoutInfo(display.layout);
  if (display.displayWidth <= 0 || display.lineHeight <= 0 || !layout) return E_FAIL;
  const int32_t scale = display.settings.smoothText ? 4 : 1;
  const int32_t width = display.displayWidth;
  const int32_t height = display.lineHeight;
  const int32_t slotCount = layout->slotCount;

  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } mask = {};
  mask.header.biSize = sizeof(BITMAPINFOHEADER);
  mask.header.biWidth = width * scale;
  mask.header.biHeight = -height * scale;  // top-down
  mask.header.biPlanes = 1;
  mask.header.biBitCount = 1;
  mask.header.biCompression = BI_RGB;
  mask.colors[1] = RGBQUAD{255, 255, 255, 0};
  void* maskBits = nullptr;
  display.maskBitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&mask), DIB_RGB_COLORS,
                                        &maskBits, nullptr, 0);
  // Without a mask nothing is drawn; the next frame tries again.
  if (!display.maskBitmap) return S_OK;
  display.maskBits = static_cast<uint8_t*>(maskBits);
  display.maskStride = MaskStride(width * scale);

  void* slotBits = nullptr;
  display.slotBitmap = CreateDib32(dc, width, slotCount * height, &slotBits);
  if (!display.slotBitmap) {
    DropBitmaps(display);
    return E_FAIL;
  }
  display.slotBits = static_cast<uint32_t*>(slotBits);
  const size_t slotArea = size_t(width) * size_t(height);
  display.coverage = static_cast<uint8_t*>(std::calloc(slotArea, size_t(slotCount)));
  display.slots = static_cast<LineSlot*>(std::calloc(size_t(slotCount), sizeof(LineSlot)));
  if (!display.coverage || !display.slots) {
    DropBitmaps(display);
    return E_OUTOFMEMORY;
  }
  display.slotCount = slotCount;
  for (int32_t j = 0; j < slotCount; ++j) {
    LineSlot& slot = display.slots[j];
    slot.displayLine = kSlotUnused;
    slot.x = 0;
    slot.highlightedWidth = 0;
    slot.coverage = display.coverage + size_t(j) * slotArea;
    slot.pixels = display.slotBits + size_t(j) * slotArea;
  }
  return S_OK;
}
