#include "tools/bmp/picture_capture.h"

#include "display/win32/gdi_holders.h"

bool CapturePicture(HDC dc, int width, int height, Picture& picture) {
  if (!dc || width <= 0 || height <= 0) return false;
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDib32(dc, width, height, &bits));
  MemoryDc memory(dc);
  if (!bitmap || !memory) return false;
  {
    Selection selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY)) return false;
    GdiFlush();
  }
  const uint32_t* source = static_cast<const uint32_t*>(bits);
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(source, source + size_t(width) * height);
  for (uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  return true;
}

bool CaptureWindowPicture(HWND window, Picture& picture) {
  RECT client;
  if (!window || !GetClientRect(window, &client)) return false;
  HDC dc = GetDC(window);
  if (!dc) return false;
  const bool ok = CapturePicture(dc, client.right, client.bottom, picture);
  ReleaseDC(window, dc);
  return ok;
}

bool SaveWindowBitmap(HWND window, const char* path) {
  Picture picture;
  return CaptureWindowPicture(window, picture) && WriteBitmapFile(path, picture);
}
