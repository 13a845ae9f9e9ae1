#include "hosts/winamphost/frame_capture.h"

#include "tools/bmp/bmp_writer.h"

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

bool WriteBitmapFile(const char* path, const WindowPixels& picture) {
  return WriteBmp24(path, picture.pixels.data(), picture.width, picture.height);
}

bool SaveWindowBitmap(HWND window, const char* path) {
  WindowPixels picture;
  return CaptureWindowPixels(window, picture) && WriteBitmapFile(path, picture);
}
