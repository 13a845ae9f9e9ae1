// The window class and object binding that the editor's custom controls
// share: each control object owns one child window, whose user data points
// back at the object from WM_NCCREATE on.
#pragma once

#include <windows.h>

// Registers `className` once for `instance`: CS_HREDRAW | CS_VREDRAW, the
// arrow cursor, the white stock brush, no icon and no menu.
bool RegisterControlClass(HINSTANCE instance, const char* className, WNDPROC windowProc);

// Creates a child window of a registered control class over `rect` with
// `id` as its child id; `control` becomes the creation parameter that
// ControlWindowProc binds. Null on failure.
HWND CreateControlWindow(DWORD exStyle, const char* className, DWORD style, HWND parent,
                         HINSTANCE instance, const RECT& rect, int id, void* control);

// Destroys a control's window if it still exists (the control's destructor).
void DestroyControlWindow(HWND window);

// Stores the creation parameter in the user data at WM_NCCREATE and returns
// the bound object; null for the messages that come before it.
void* BindControlObject(HWND hwnd, UINT message, LPARAM lParam);

// The window procedure of a control class: binds the object at WM_NCCREATE
// and forwards every message from then on to
// Control::HandleMessage(hwnd, message, wParam, lParam). After
// WM_NCDESTROY the window no longer points at the object.
template <typename Control>
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<Control*>(BindControlObject(hwnd, message, lParam));
  if (!control) return DefWindowProcA(hwnd, message, wParam, lParam);
  const LRESULT result = control->HandleMessage(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  return result;
}
