#include "display/options/help_file.h"

#include <shellapi.h>

#include <cstring>

#include "display/win32/display_settings_win32.h"

namespace {

constexpr const char* kHelpFileName = "\\kmhelp.chm";
constexpr size_t kMaxFolderLength = 248;

}  // namespace

bool HelpFilePath(char (&path)[MAX_PATH]) {
  path[0] = '\0';
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  char folder[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = MAX_PATH;
  const LONG status =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  const size_t length = std::strlen(folder);
  if (length == 0 || length > kMaxFolderLength) return false;
  std::memcpy(path, folder, length);
  std::memcpy(path + length, kHelpFileName, std::strlen(kHelpFileName) + 1);
  return true;
}

void OpenHelpFile(HWND owner) {
  char path[MAX_PATH];
  if (!HelpFilePath(path)) return;
  ShellExecuteA(owner, "Open", path, nullptr, nullptr, SW_SHOWNORMAL);
}
