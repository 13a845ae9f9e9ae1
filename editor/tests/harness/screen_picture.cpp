#include "editor/tests/harness/screen_picture.h"

#include "tools/bmp/picture_capture.h"

bool CaptureScreenWindow(HWND window, Picture& picture) {
  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return false;
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  // CapturePicture copies from the origin: put the window's corner there.
  POINT oldOrigin = {};
  SetViewportOrgEx(screen, rect.left, rect.top, &oldOrigin);
  const bool ok = CapturePicture(screen, rect.right - rect.left, rect.bottom - rect.top, picture);
  SetViewportOrgEx(screen, oldOrigin.x, oldOrigin.y, nullptr);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool SaveScreenWindow(HWND window, const char* path) {
  Picture picture;
  return CaptureScreenWindow(window, picture) && WriteBitmapFile(path, picture);
}
