// The editor's position bar, window class "KMEditCPWnd": a flat bar whose
// played part is filled green from the left. A click or a drag sets the
// position and tells the parent with WM_COMMAND (wParam the child id,
// lParam the bar's window); the parent reads GetPosition and IsDragging.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/controls/control_window.h"

class PositionBar : public ControlWindow {
 public:
  static const char kClassName[];
  static constexpr COLORREF kPlayedColor = 0x0000C000;

  PositionBar() = default;
  ~PositionBar();

  // Registers the class once and creates the bar (child, visible, static
  // edge) over `rect`; the parent receives the notifications. Null on failure.
  HWND CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id);

  // Clamps to 0..range and paints only the strip that changed.
  void SetPosition(int32_t position);
  // Ignored unless above 0 and new; the position keeps its share.
  void SetRange(int32_t range);
  // Disabling ends a drag and releases the mouse; a disabled bar shows no
  // played part and ignores the mouse. `redraw` repaints when the state
  // changed.
  void Enable(bool enabled, bool redraw);

  int32_t GetPosition() const { return position_; }
  int32_t GetRange() const { return range_; }
  bool IsDragging() const { return dragging_; }
  bool IsEnabled() const { return enabled_; }

  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  int ClientWidth() const;
  int PositionToX(int width) const;
  void Paint();
  void PaintUpTo(int x);
  void MoveToMouse(int mouseX);
  void EndDrag(bool notify);
  void NotifyParent();

  HWND parent_ = nullptr;
  int32_t range_ = 100;
  int32_t position_ = 0;
  int paintedX_ = 0;
  bool dragging_ = false;
  bool enabled_ = true;
};
