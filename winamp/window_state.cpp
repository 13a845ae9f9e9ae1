#include "winamp/window_state.h"

#include <cstring>

#include "display/win32/display_settings_win32.h"

LyricsWindowState DefaultWindowState() { return {1, 20, 20, 220, 220, 1}; }

bool IsOnDesktop(const LyricsWindowState& s, const RECT& desktop) {
  return s.left < desktop.right - 1 && desktop.left < s.right && s.top < desktop.bottom - 1 &&
         desktop.top < s.bottom;
}

LyricsWindowState ReadWindowState() {
  LyricsWindowState state = DefaultWindowState();
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return state;
  }
  LyricsWindowState stored{};
  DWORD size = sizeof stored;
  const LONG result = RegQueryValueExA(key, kWindowStateValue, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&stored), &size);
  RegCloseKey(key);
  // A shorter value would leave words undefined: it counts as missing.
  if (result != ERROR_SUCCESS || size != sizeof stored) return state;
  RECT desktop{};
  if (!GetWindowRect(GetDesktopWindow(), &desktop) || !IsOnDesktop(stored, desktop)) return state;
  if (stored.layout < 1 || stored.layout > 5) stored.layout = 1;
  return stored;
}

bool WriteWindowState(const LyricsWindowState& state) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool written = RegSetValueExA(key, kWindowStateValue, 0, REG_BINARY,
                                      reinterpret_cast<const BYTE*>(&state),
                                      sizeof state) == ERROR_SUCCESS;
  if (written) RegFlushKey(key);
  RegCloseKey(key);
  return written;
}

bool SameWindowState(const LyricsWindowState& a, const LyricsWindowState& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
