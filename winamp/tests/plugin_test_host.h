// The plug-in linked into the test program, started by the Winamp-like
// host as Winamp starts it, with the registry of the test's own prefix.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tools/bmp/picture_capture.h"
#include "hosts/winamphost/winamp_host.h"
#include "winamp/plugin_state.h"

// Runs the thread's messages for `ms` milliseconds, as Winamp's loop would.
inline void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

inline void DeleteStoredSettings() { RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Kamiru"); }

inline bool ReadStoredValue(const char* name, std::string& bytes) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kamiru", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  char buffer[512];
  DWORD size = sizeof buffer;
  const bool ok = RegQueryValueExA(key, name, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (ok) bytes.assign(buffer, size);
  return ok;
}

inline bool SettingsKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kamiru", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

class PluginInHost : public testing::Test {
 protected:
  void SetUp() override { DeleteStoredSettings(); }
  void TearDown() override { Quit(); }

  void Start() {
    ASSERT_TRUE(CreateWinampHost(host_, GetModuleHandleA(nullptr), 300, 20));
    ASSERT_TRUE(AddPlugin(host_, Record(), GetModuleHandleA(nullptr)));
    Pump(100);
  }
  // Winamp's exit; the next Start is a new Winamp session.
  void Quit() {
    if (host_.mainWindow) CloseWinampHost(host_);
    Pump(20);
    host_ = WinampHost();
  }
  static GeneralPurposePlugin* Record() {
    return reinterpret_cast<GeneralPurposePlugin*>(&Plugin().record);
  }
  HWND Frame() const { return host_.frames.empty() ? nullptr : host_.frames[0]; }
  HWND LyricsHwnd() const { return Plugin().lyricsWindow.window; }
  HMENU MainPopup() const { return GetSubMenu(host_.mainMenu, 0); }
  // What TrackPopupMenu sends before the menu opens.
  void AboutToOpen(HMENU menu) {
    SendMessageA(host_.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }
  // A playlist entry played from a standing clock at `positionMs`.
  void PlayAt(const std::string& path, int lengthSeconds, int32_t positionMs) {
    AddToPlaylist(host_, path, lengthSeconds);
    SetClockRate(host_, 0);
    PlayEntry(host_, int(host_.playlist.size()) - 1, false);
    SetClockPosition(host_, positionMs);
    Pump(150);
  }

  WinampHost host_;
};

// Sung pixels: the default highlight fades from white to blue, unsung
// text is white on black.
inline int CountSungPixels(const Picture& picture) {
  int count = 0;
  for (uint32_t pixel : picture.pixels) {
    const int red = (pixel >> 16) & 0xFF, blue = pixel & 0xFF;
    if (blue > red + 60) ++count;
  }
  return count;
}
