// What the lyrics display tests share: a work file with a song, the filter
// made and placed in a parent window as the editor places it, and a message
// drain that records what the filter posts.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <cmath>
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

// A 16-bit stereo song of `seconds` at 44100 Hz: a tone whose loudness
// swells and fades once a second.
inline bool WriteSong(const char* path, int seconds) {
  const uint32_t rate = 44100;
  const uint32_t frames = rate * uint32_t(seconds);
  std::vector<int16_t> samples(size_t(frames) * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    double t = double(i) / rate;
    double swell = 0.15 + 0.8 * std::fabs(std::sin(3.14159265 * t));
    int16_t v = int16_t(swell * 26000 * std::sin(2 * 3.14159265 * 220 * t));
    samples[2 * size_t(i)] = v;
    samples[2 * size_t(i) + 1] = int16_t(v / 2);
  }
  uint32_t dataBytes = uint32_t(samples.size() * 2);
  struct {
    char riff[4] = {'R', 'I', 'F', 'F'};
    uint32_t riffSize;
    char wave[4] = {'W', 'A', 'V', 'E'};
    char fmt[4] = {'f', 'm', 't', ' '};
    uint32_t fmtSize = 16;
    uint16_t tag = 1, channels = 2;
    uint32_t rate = 44100, byteRate = 44100 * 4;
    uint16_t blockAlign = 4, bits = 16;
    char data[4] = {'d', 'a', 't', 'a'};
    uint32_t dataSize;
  } header;
  header.riffSize = 36 + dataBytes;
  header.dataSize = dataBytes;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, &header, sizeof header, &written, nullptr) &&
            WriteFile(file, samples.data(), dataBytes, &written, nullptr) && written == dataBytes;
  CloseHandle(file);
  return ok;
}

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
