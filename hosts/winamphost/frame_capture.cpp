#include "hosts/winamphost/frame_capture.h"

#include <cstdio>

bool CaptureWindowPixels(HWND window, WindowPixels& picture) {
  RECT client;
  if (!window || !GetClientRect(window, &client)) return false;
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC windowDc = GetDC(window);
  if (!windowDc) return false;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(windowDc);
  bool ok = bitmap && memory;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(source, source + size_t(width) * height);
    for (uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  }
  if (memory) DeleteDC(memory);
  if (bitmap) DeleteObject(bitmap);
  ReleaseDC(window, windowDc);
  return ok;
}

namespace {

void Put32(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

bool WriteBitmapFile(const char* path, const WindowPixels& picture) {
  const uint32_t stride = (uint32_t(picture.width) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * picture.height;
  unsigned char header[54] = {'B', 'M'};
  Put32(header + 2, 54 + imageSize);
  Put32(header + 10, 54);
  Put32(header + 14, 40);
  Put32(header + 18, picture.width);
  Put32(header + 22, picture.height);
  header[26] = 1;
  header[28] = 24;
  Put32(header + 34, imageSize);
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
  std::vector<unsigned char> row(stride, 0);
  for (int y = picture.height - 1; ok && y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t pixel = picture.pixels[size_t(y) * picture.width + x];
      row[x * 3] = static_cast<unsigned char>(pixel);
      row[x * 3 + 1] = static_cast<unsigned char>(pixel >> 8);
      row[x * 3 + 2] = static_cast<unsigned char>(pixel >> 16);
    }
    ok = std::fwrite(row.data(), 1, stride, file) == stride;
  }
  return std::fclose(file) == 0 && ok;
}

bool SaveWindowBitmap(HWND window, const char* path) {
  WindowPixels picture;
  return CaptureWindowPixels(window, picture) && WriteBitmapFile(path, picture);
}
