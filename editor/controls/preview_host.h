// The editor's preview host, window class "KMEditCVWnd": a sunken strip
// that parents the video window of the karaoke preview and keeps it filling
// the strip's client area.
#pragma once

#include <windows.h>
#include <control.h>

#include "editor/controls/control_window.h"

class PreviewHost : public ControlWindow {
 public:
  static const char kClassName[];

  PreviewHost() = default;
  ~PreviewHost();

  // Registers the class once and creates the strip (child, visible, client
  // edge) over `rect`. Null on failure.
  HWND CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id);

  // Keeps `video` (holding a reference of its own) and resizes it with the
  // strip from now on; null forgets the window attached before.
  void AttachVideoWindow(IVideoWindow* video);
  IVideoWindow* videoWindow() const { return video_; }


  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  IVideoWindow* video_ = nullptr;
};
