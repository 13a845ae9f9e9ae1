#include "editor/main_window.h"

const char kMainWindowClass[] = "KMEditMWnd";
const char kEditorCaption[] = "Kamiru Editor";

namespace {

using MessageHandler = LRESULT (*)(MainWindow& window, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
  UINT message;
  MessageHandler handler;
};

LRESULT OnDestroy(MainWindow& window, WPARAM, LPARAM) {
  window.hwnd = nullptr;
  PostQuitMessage(0);
  return 0;
}

const MessageEntry kMessages[] = {
    {WM_DESTROY, OnDestroy},
};

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* window = static_cast<MainWindow*>(create->lpCreateParams);
    window->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window) {
    for (const MessageEntry& entry : kMessages) {
      if (entry.message == message) return entry.handler(*window, wParam, lParam);
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  if (GetClassInfoExA(instance, kMainWindowClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, MainWindow& window, int showCommand) {
  if (!RegisterMainWindowClass(instance)) return nullptr;
  HWND hwnd = CreateWindowExA(0, kMainWindowClass, kEditorCaption, WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                              instance, &window);
  if (hwnd) {
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
  }
  return hwnd;
}
