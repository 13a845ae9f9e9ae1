// What the tests of the time display, position bar and containers share: a
// top-level parent window that records the WM_COMMAND notifications it
// gets, a message pump, real mouse input and pictures of a client area.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "display/win32/gdi_holders.h"

struct Notification {
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Notification>& Notifications() {
  static std::vector<Notification> notifications;
  return notifications;
}

inline LRESULT CALLBACK TestParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    Notifications().push_back({wParam, lParam});
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline bool RegisterTestParentClass() {
  static const bool registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TestParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "KMControlTestParent";
    return RegisterClassExA(&wc) != 0;
  }();
  return registered;
}

// A visible top-level window at the screen's top left with a client area of
// width x height. Null on failure. (Under Wine without a window manager,
// destroying the active window takes about two seconds.)
inline HWND CreateTestParent(int width, int height) {
  if (!RegisterTestParentClass()) return nullptr;
  HWND hwnd = CreateWindowExA(0, "KMControlTestParent", "controls",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (hwnd) {
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
  }
  return hwnd;
}

// One 600 by 300 parent for all the tests of a program, never destroyed.
inline HWND TestParent() {
  static const HWND parent = CreateTestParent(600, 300);
  return parent;
}

inline void PumpMessages() {
  MSG message;
  // Input from SendInput travels through the server first: a few rounds
  // with short pauses let it arrive.
  for (int round = 0; round < 5; ++round) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

inline RECT MakeRect(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The client area of `window` as it is on the screen, 0x00RRGGBB per pixel,
// rows top-down.
struct ClientPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

inline ClientPicture CaptureClient(HWND window) {
  ClientPicture picture;
  RECT client = {};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  if (!dc || client.right <= 0 || client.bottom <= 0) {
    if (dc) ReleaseDC(window, dc);
    return picture;
  }
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDib32(dc, client.right, client.bottom, &bits));
  MemoryDc memory(dc);
  if (bitmap && memory) {
    Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    picture.width = client.right;
    picture.height = client.bottom;
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(source, source + size_t(client.right) * client.bottom);
    for (uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  }
  ReleaseDC(window, dc);
  return picture;
}

// A COLORREF (0x00BBGGRR) as a captured pixel (0x00RRGGBB).
inline uint32_t PixelOf(COLORREF color) {
  return uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

// Moves the real mouse pointer over (x, y) of `window`'s client area, as a
// user would: an absolute move through SendInput. Returns where it went,
// in client coordinates.
inline POINT MoveMouse(HWND window, int x, int y) {
  POINT target = {x, y};
  ClientToScreen(window, &target);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // The centre of the target pixel in the 0..65535 scale of the screen.
  input.mi.dx = LONG((target.x * 65536LL + 32768) / screenWidth);
  input.mi.dy = LONG((target.y * 65536LL + 32768) / screenHeight);
  SendInput(1, &input, sizeof input);
  PumpMessages();
  POINT at = {};
  GetCursorPos(&at);
  ScreenToClient(window, &at);
  return at;
}

inline void PressLeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  PumpMessages();
}
