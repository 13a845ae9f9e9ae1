// The form's images: four colour swatches, the highlight gradient and the
// preview of a half-sung sample line, each inside a one-pixel black frame.
#include <cstring>

#include "display/mask_coverage.h"
#include "display/options/options_internal.h"
#include "display/shade_table.h"
#include "display/win32/display_settings_win32.h"
#include "display/win32/gdi_holders.h"

namespace {

constexpr int kSampleLength = 49;

struct FramedImage {
  uint32_t* bits = nullptr;  // top-down rows of `width` DIB pixels
  int32_t width = 0;
  int32_t height = 0;
};

bool ImageOf(HBITMAP bitmap, FramedImage& image) {
  DIBSECTION section;
  if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
  if (!section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32) return false;
  image.bits = static_cast<uint32_t*>(section.dsBm.bmBits);
  image.width = section.dsBm.bmWidth;
  image.height = section.dsBm.bmHeight;
  return image.width > 2 && image.height > 2;
}

HBITMAP CreateFramedBitmap(HWND control) {
  RECT client;
  if (!control || !GetClientRect(control, &client)) return nullptr;
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;
  if (width <= 2 || height <= 2) return nullptr;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDib32(nullptr, width, height, &bits);
  if (bitmap) std::memset(bits, 0, size_t(width) * size_t(height) * 4);  // the black frame
  return bitmap;
}

void ShowImage(OptionsForm& form, int control, HBITMAP bitmap) {
  SendDlgItemMessageA(form.dialog, control, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(bitmap));
  InvalidateRect(GetDlgItem(form.dialog, control), nullptr, FALSE);
}

void FillRow(FramedImage& image, int32_t innerRow, uint32_t pixel) {
  uint32_t* row = image.bits + (innerRow + 1) * image.width;
  for (int32_t c = 1; c < image.width - 1; ++c) row[c] = pixel;
}

}  // namespace

uint32_t& SwatchColor(DisplaySettings& settings, int swatch) {
  switch (swatch) {
    case kSwatchBackground: return settings.backgroundColor;
    case kSwatchText: return settings.textColor;
    case kSwatchHighlightTop: return settings.highlightTopColor;
    default: return settings.highlightBottomColor;
  }
}

void CreateOptionsBitmaps(OptionsForm& form) {
  for (int i = 0; i < kSwatchCount; ++i) {
    form.swatchBitmaps[i] = CreateFramedBitmap(GetDlgItem(form.dialog, form.ids->swatches[i]));
  }
  form.gradientBitmap = CreateFramedBitmap(GetDlgItem(form.dialog, form.ids->gradient));
  form.previewBitmap = CreateFramedBitmap(GetDlgItem(form.dialog, form.ids->preview));
}

void PaintSwatch(OptionsForm& form, int swatch) {
  FramedImage image;
  if (!ImageOf(form.swatchBitmaps[swatch], image)) return;
  GdiFlush();
  const uint32_t pixel = DibPixel(SwatchColor(form.working, swatch));
  for (int32_t r = 0; r < image.height - 2; ++r) FillRow(image, r, pixel);
  ShowImage(form, form.ids->swatches[swatch], form.swatchBitmaps[swatch]);
}

void PaintGradient(OptionsForm& form) {
  FramedImage image;
  if (!ImageOf(form.gradientBitmap, image)) return;
  GdiFlush();
  const int32_t h = image.height - 2;
  for (int32_t r = 0; r < h; ++r) FillRow(image, r, DibPixel(HighlightRowColor(form.working, h, r)));
  ShowImage(form, form.ids->gradient, form.gradientBitmap);
}

void DrawPreview(OptionsForm& form) {
  FramedImage image;
  if (!form.dialog || !ImageOf(form.previewBitmap, image)) return;
  const DisplaySettings& settings = form.working;
  char sample[kSampleLength + 1] = {};
  const int length = GetDlgItemTextA(form.dialog, form.ids->sample, sample, sizeof sample);
  const int32_t pw = image.width - 2;
  const int32_t ph = image.height - 2;
  const bool smooth = settings.smoothText != 0;
  const int32_t s = smooth ? 4 : 1;

  LOGFONTA logFont = ToLogFont(settings.font);
  logFont.lfHeight *= s;
  GdiObject<HFONT> font(CreateFontIndirectA(&logFont));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } maskInfo = {};
  maskInfo.header.biSize = sizeof(BITMAPINFOHEADER);
  maskInfo.header.biWidth = pw * s;
  maskInfo.header.biHeight = -ph * s;
  maskInfo.header.biPlanes = 1;
  maskInfo.header.biBitCount = 1;
  maskInfo.header.biCompression = BI_RGB;
  maskInfo.colors[1] = RGBQUAD{255, 255, 255, 0};
  void* maskBits = nullptr;
  GdiObject<HBITMAP> mask(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&maskInfo),
                                           DIB_RGB_COLORS, &maskBits, nullptr, 0));
  MemoryDc dc(nullptr);
  if (!font || !mask || !dc) return;

  int32_t x = 0, y = 0, tw = 0, n = 0;
  {
    Selection maskSelection(dc.get(), mask.get());
    Selection fontSelection(dc.get(), font.get());
    SIZE extent = {};
    GetTextExtentPoint32A(dc.get(), sample, length, &extent);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc.get(), &metrics);
    tw = extent.cx / s;
    n = (metrics.tmHeight + metrics.tmExternalLeading + s - 1) / s;
    x = settings.leftAligned ? settings.leftMargin : (pw - tw) / 2;
    if (settings.verticalAlignment == 0) {
      y = (ph - n) / 2;
    } else if (settings.verticalAlignment == 1) {
      y = settings.topMargin;
    } else {
      y = ph - settings.bottomMargin - n;
    }
    RECT all = {0, 0, pw * s, ph * s};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    TextOutA(dc.get(), x * s, y * s, sample, length);
    GdiFlush();
  }

  const uint8_t* maskBytes = static_cast<const uint8_t*>(maskBits);
  const int32_t stride = MaskStride(pw * s);
  for (int32_t r = 0; r < ph; ++r) {
    const bool lineRow = r >= y && r < y + n;
    const uint32_t rowColor = lineRow ? HighlightRowColor(settings, n, r - y) : 0;
    uint32_t* out = image.bits + (r + 1) * image.width + 1;
    for (int32_t c = 0; c < pw; ++c) {
      const int level = CoverageLevel(maskBytes, stride, c, r, smooth);
      const bool sung = lineRow && c >= x && c < x + tw / 2;
      out[c] = MixForCoverage(sung ? rowColor : settings.textColor, settings.backgroundColor, level);
    }
  }
  ShowImage(form, form.ids->preview, form.previewBitmap);
}
