// The window class and object binding that the editor's custom controls
// share: each control object owns one child window, whose user data points
// back at the object from WM_NCCREATE on.
#pragma once

#include <windows.h>

// A control class: its name, window procedure and window styles. Every
// class has CS_HREDRAW | CS_VREDRAW, the arrow cursor, the white stock
// brush, no icon and no menu.
struct ControlClass {
  const char* name;
  WNDPROC windowProc;
  DWORD style;
  DWORD exStyle;
};

// Registers `className` once for `instance` with those class settings.
bool RegisterControlClass(HINSTANCE instance, const char* className, WNDPROC windowProc);

// Creates a child window of a registered control class over `rect` with
// `id` as its child id; `control` becomes the creation parameter that
// BindControlObject binds. Null on failure.
HWND CreateControlWindow(DWORD exStyle, const char* className, DWORD style, HWND parent,
                         HINSTANCE instance, const RECT& rect, int id, void* control);

// Both of the above for a control class.
HWND CreateControlWindow(const ControlClass& controlClass, HWND parent, HINSTANCE instance,
                         const RECT& rect, int id, void* control);

// Destroys a control's window if it still exists. Each control calls it in
// its own destructor, while the whole object can still take WM_NCDESTROY.
void DestroyControlWindow(HWND window);

// Stores the creation parameter in the user data at WM_NCCREATE and returns
// the bound object; null for the messages that come before it.
void* BindControlObject(HWND hwnd, UINT message, LPARAM lParam);

// What every control object holds: its window handle, set from WM_NCCREATE
// to WM_NCDESTROY by ControlWindowProc. Not copyable: the window points at
// the object.
class ControlWindow {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  ControlWindow() = default;
  ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND hwnd_ = nullptr;

  template <typename Control>
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of a control class: binds the object at WM_NCCREATE
// and forwards every message from then on to
// Control::HandleMessage(hwnd, message, wParam, lParam). After
// WM_NCDESTROY neither points at the other.
template <typename Control>
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<Control*>(BindControlObject(hwnd, message, lParam));
  if (!control) return DefWindowProcA(hwnd, message, wParam, lParam);
  ControlWindow& window = *control;
  if (message == WM_NCCREATE) window.hwnd_ = hwnd;
  const LRESULT result = control->HandleMessage(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    window.hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  }
  return result;
}
