#include "editor/controls/control_window.h"

bool RegisterControlClass(HINSTANCE instance, const char* className, WNDPROC windowProc) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, className, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateControlWindow(DWORD exStyle, const char* className, DWORD style, HWND parent,
                         HINSTANCE instance, const RECT& rect, int id, void* control) {
  return CreateWindowExA(exStyle, className, "", style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, control);
}

HWND CreateControlWindow(const ControlClass& controlClass, HWND parent, HINSTANCE instance,
                         const RECT& rect, int id, void* control) {
  if (!RegisterControlClass(instance, controlClass.name, controlClass.windowProc)) return nullptr;
  return CreateControlWindow(controlClass.exStyle, controlClass.name, controlClass.style, parent,
                             instance, rect, id, control);
}

void DestroyControlWindow(HWND window) {
  if (window && IsWindow(window)) DestroyWindow(window);
}

void* BindControlObject(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
