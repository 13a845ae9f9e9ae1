#include "editor/controls/preview_host.h"

const char PreviewHost::kClassName[] = "KMEditCVWnd";

PreviewHost::~PreviewHost() {
  DestroyControlWindow(hwnd_);
  AttachVideoWindow(nullptr);
}

HWND PreviewHost::CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id) {
  static const ControlClass kClass = {kClassName, ControlWindowProc<PreviewHost>,
                                      WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE};
  return hwnd_ ? nullptr : CreateControlWindow(kClass, parent, instance, rect, id, this);
}

void PreviewHost::AttachVideoWindow(IVideoWindow* video) {
  if (video == video_) return;
  if (video) video->AddRef();
  IVideoWindow* previous = video_;
  video_ = video;
  if (previous) previous->Release();
}

LRESULT PreviewHost::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY:
      AttachVideoWindow(nullptr);
      break;
    case WM_SIZE:
      if (video_) video_->SetWindowPosition(0, 0, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND:
      // The video window covers the whole client area while attached.
      if (video_) return 1;
      break;
    case WM_PAINT: {
      // Nothing to draw; BeginPaint validates and has the background erased
      // by WM_ERASEBKGND above (ValidateRect alone would never erase it).
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
