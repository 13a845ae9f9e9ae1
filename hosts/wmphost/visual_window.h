// The visualization's child window. Windowed plug-ins draw into it
// themselves and see its messages through OnWindowMessage; for the others
// it shows the last frame that the host rendered into its memory DC.
#pragma once

#include <windows.h>

#include "wmp/wmp_effects.h"

class VisualWindow {
 public:
  // A child of `parent` filling its client area.
  static VisualWindow* Create(HWND parent, int width, int height);
  HWND window() const { return window_; }
  // Windowed plug-ins get the window's messages first.
  void SetPlugin(IWMPEffects2* plugin) { plugin_ = plugin; }
  // The window needs a full repaint (shown, uncovered or resized) since the
  // last call.
  bool TakeRequiredRender();
  // The memory frame of the client area's size, made when missing.
  HDC MemoryFrame();
  void ShowMemoryFrame();

 private:
  using Handler = LRESULT (VisualWindow::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  static const MessageEntry kMessages[];
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnNcDestroy(WPARAM, LPARAM);
  void DropMemoryFrame();

  HWND window_ = nullptr;
  IWMPEffects2* plugin_ = nullptr;
  bool requiredRender_ = true;
  HDC memoryDc_ = nullptr;
  HBITMAP memoryBitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  int memoryWidth_ = 0;
  int memoryHeight_ = 0;
};
