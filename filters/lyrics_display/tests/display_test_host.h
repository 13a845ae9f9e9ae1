// What the lyrics display tests share: the filter's window placed in a
// parent window as the editor places it, a message drain that records what
// the filter posts, and real mouse and keyboard input.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "editor/controls/tests/control_test_host.h"
#include "filters/core/timestamp_pair.h"
#include "filters/filter_classes.h"
#include "filters/lyrics_display/ilyrics_display.h"
#include "filters/tests/graph_support.h"

struct DrainMessage {
  UINT message;
  LPARAM lParam;
};

inline std::vector<DrainMessage>& DrainMessages() {
  static std::vector<DrainMessage> messages;
  return messages;
}

inline LRESULT CALLBACK DrainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER + 5 && message <= WM_USER + 9) {
    DrainMessages().push_back({message, lParam});
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A message-only window standing for the editor's main window.
inline HWND CreateDrain() {
  const char kClass[] = "KMDisplayTestDrain";
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), kClass, &wc)) {
    wc.lpfnWndProc = DrainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);
  }
  return CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// The messages of one kind posted since the last ClearDrain, in order.
inline std::vector<LPARAM> Posted(UINT message) {
  std::vector<LPARAM> out;
  for (const DrainMessage& m : DrainMessages()) {
    if (m.message == message) out.push_back(m.lParam);
  }
  return out;
}

inline void ClearDrain() { DrainMessages().clear(); }

// The strip's window inside `parent`.
inline HWND StripOf(HWND parent) { return FindWindowExA(parent, nullptr, "KMEditLDWnd", nullptr); }

// Places the filter's window as the editor does: a child of `owner`, its
// messages to `drain`, at the top left, `width` x 200, visible.
inline void PlaceStrip(IVideoWindow* window, HWND owner, HWND drain, int width) {
  window->put_Owner(reinterpret_cast<OAHWND>(owner));
  window->put_MessageDrain(reinterpret_cast<OAHWND>(drain));
  window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  window->SetWindowPosition(0, 0, width, 200);
  window->put_Visible(OATRUE);
  PumpMessages();
}

// Types the key `key` down or up through SendInput.
inline void PressKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
  PumpMessages();
}

// A press at (x0, y), a drag to (x1, y) and a release.
inline void Drag(HWND window, int x0, int x1, int y) {
  MoveMouse(window, x0, y);
  PressLeftButton(true);
  MoveMouse(window, (x0 + x1) / 2, y);
  MoveMouse(window, x1, y);
  PressLeftButton(false);
}

inline void Click(HWND window, int x, int y) {
  MoveMouse(window, x, y);
  PressLeftButton(true);
  PressLeftButton(false);
}

inline std::vector<TimestampPair> PairsOf(ILyricsDisplay* display) {
  int32_t count = 0;
  display->GetTimestampCount(&count);
  std::vector<TimestampPair> pairs(size_t(count > 0 ? count : 0));
  for (int32_t i = 0; i < count; ++i) display->GetTimestamp(i, &pairs[size_t(i)]);
  return pairs;
}

inline void PrintTo(const TimestampPair& pair, std::ostream* out) {
  *out << "(" << pair.start << ", " << pair.end << ")";
}
