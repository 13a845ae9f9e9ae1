#include "editor/tests/harness/screen_picture.h"

#include "tools/bmp/picture_capture.h"

namespace {

bool SaveScreenRect(const RECT& screen, const char* path) {
  Picture picture;
  return CaptureScreenRect(screen, picture) && WriteBitmapFile(path, picture);
}

}  // namespace

bool CaptureScreenRect(const RECT& screen, Picture& picture) {
  HDC dc = GetDC(nullptr);
  if (!dc) return false;
  // CapturePicture copies from the origin: put the rectangle's corner there.
  POINT oldOrigin = {};
  SetViewportOrgEx(dc, screen.left, screen.top, &oldOrigin);
  const bool ok =
      CapturePicture(dc, screen.right - screen.left, screen.bottom - screen.top, picture);
  SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  ReleaseDC(nullptr, dc);
  return ok;
}

bool SaveScreenWindow(HWND window, const char* path) {
  RECT rect = {};
  return GetWindowRect(window, &rect) && SaveScreenRect(rect, path);
}

bool SaveScreenClient(HWND window, const char* path) {
  RECT rect = {};
  if (!GetClientRect(window, &rect)) return false;
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return SaveScreenRect(rect, path);
}
