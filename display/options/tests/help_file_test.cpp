#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "display/options/help_file.h"
#include "display/win32/display_settings_win32.h"

namespace {

void SetFolder(const std::string& folder) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(key);
}

TEST(HelpFile, IsFoundInTheRecordedInstallationFolder) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsRegistryKey);
  char path[MAX_PATH];
  EXPECT_FALSE(HelpFilePath(path));
  OpenHelpFile(nullptr);  // nothing recorded: nothing happens

  SetFolder("C:\\Program Files\\Kamiru");
  ASSERT_TRUE(HelpFilePath(path));
  EXPECT_STREQ(path, "C:\\Program Files\\Kamiru\\kmhelp.chm");

  SetFolder("C:\\" + std::string(245, 'a'));  // 248 characters still fit
  EXPECT_TRUE(HelpFilePath(path));
  SetFolder("C:\\" + std::string(246, 'a'));
  EXPECT_FALSE(HelpFilePath(path));
  SetFolder("");
  EXPECT_FALSE(HelpFilePath(path));
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsRegistryKey);
}

}  // namespace
