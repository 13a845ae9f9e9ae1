// The settings in the real registry; every test program runs in a private
// Wine prefix, so HKEY_CURRENT_USER is its own.
#include <windows.h>

#include <process.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "display/tests/bitmap_font.h"
#include "display/win32/display_settings_win32.h"

namespace {

void DeleteSettingsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsRegistryKey); }

void StoreValue(const void* bytes, DWORD size) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, kDisplaySettingsValue, 0, REG_BINARY,
                           static_cast<const BYTE*>(bytes), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void StoreRecord(const DisplaySettings& settings) { StoreValue(&settings, sizeof settings); }

void DeleteValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueA(key, kDisplaySettingsValue);
  RegCloseKey(key);
}

// The stored bytes of "LP"; false when there is no such value.
bool ReadValue(std::string& bytes, DWORD& type) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  char buffer[1024];
  DWORD size = sizeof buffer;
  const LONG result = RegQueryValueExA(key, kDisplaySettingsValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  bytes.assign(buffer, size);
  return true;
}

bool ValueExists() {
  std::string bytes;
  DWORD type = 0;
  return ReadValue(bytes, type);
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixelsPerInch;
}

DisplaySettings Defaults() {
  DisplaySettings settings;
  SetDefaultDisplaySettings(settings, ScreenPixelsPerInch());
  return settings;
}

DisplaySettings Loaded() {
  DisplaySettings settings;
  std::memset(&settings, 0x5A, sizeof settings);
  LoadDisplaySettings(settings);
  return settings;
}

::testing::AssertionResult Same(const DisplaySettings& actual, const DisplaySettings& expected) {
  for (size_t i = 0; i < sizeof actual; ++i) {
    const unsigned char a = reinterpret_cast<const unsigned char*>(&actual)[i];
    const unsigned char e = reinterpret_cast<const unsigned char*>(&expected)[i];
    if (a != e) {
      return ::testing::AssertionFailure()
             << "byte " << i << " is " << int{a} << ", expected " << int{e};
    }
  }
  return ::testing::AssertionSuccess();
}

class RegistrySettings : public testing::Test {
 protected:
  void SetUp() override {
    DeleteSettingsKey();
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    directory = std::string(temp) + "kmlyrics" + std::to_string(_getpid());
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    RemoveDirectoryA(directory.c_str());
    DeleteSettingsKey();
  }

  // A record that differs from the defaults in every field and loads as it
  // is: Arial, bold italic, 20 pt, no anti-aliasing.
  DisplaySettings Custom() const {
    DisplaySettings s = Defaults();
    s.pointSize = 200;
    s.font.lfHeight = FontHeightForPointSize(ScreenPixelsPerInch(), 200);
    s.font.lfWeight = kBoldWeight;
    s.font.lfItalic = 1;
    s.antiAliased = 0;
    s.smoothText = 0;
    s.alternateSides = 1;
    s.textColor = 0x00FFFF;
    s.backgroundColor = 0x400000;
    s.highlightTopColor = 0x0000FF;
    s.highlightBottomColor = 0x00FF00;
    s.highlightTopPercent = 10;
    s.highlightBottomPercent = 20;
    s.leftAligned = 1;
    s.verticalAlignment = 2;
    s.leftMargin = 5;
    s.topMargin = 6;
    s.bottomMargin = 7;
    std::strcpy(s.lyricsDirectory, directory.c_str());
    return s;
  }

  std::string directory;
};

TEST_F(RegistrySettings, NoStoredValueGivesTheDefaults) {
  EXPECT_TRUE(Same(Loaded(), Defaults())) << "no key";
  StoreRecord(Custom());
  DeleteValue();
  EXPECT_TRUE(Same(Loaded(), Defaults())) << "key without value";
}

TEST_F(RegistrySettings, ASavedRecordLoadsUnchanged) {
  const DisplaySettings custom = Custom();
  ASSERT_TRUE(SaveDisplaySettings(custom));
  std::string bytes;
  DWORD type = 0;
  ASSERT_TRUE(ReadValue(bytes, type));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(bytes.size(), kDisplaySettingsSize);
  EXPECT_EQ(std::memcmp(bytes.data(), &custom, kDisplaySettingsSize), 0);
  EXPECT_TRUE(Same(Loaded(), custom));
}

TEST_F(RegistrySettings, OnlyAValueOfExactlyTheRecordSizeCounts) {
  // The stored bytes are a valid record followed by more, so that a load of
  // any prefix or of the excess would not give the defaults.
  char bytes[kDisplaySettingsSize + 16];
  std::memset(bytes, 0, sizeof bytes);
  const DisplaySettings custom = Custom();
  std::memcpy(bytes, &custom, sizeof custom);
  const DWORD sizes[] = {0, 1, 60, kDisplaySettingsSize - 1, kDisplaySettingsSize + 1,
                         sizeof bytes};
  for (DWORD size : sizes) {
    StoreValue(bytes, size);
    EXPECT_TRUE(Same(Loaded(), Defaults())) << size << " bytes";
  }
  StoreValue(bytes, kDisplaySettingsSize);
  EXPECT_TRUE(Same(Loaded(), custom));
}

TEST_F(RegistrySettings, StoredNumbersAreCleanedUpOnLoad) {
  DisplaySettings stored = Custom();
  stored.pointSize = 1000;
  stored.font.lfWeight = 600;
  stored.font.lfUnderline = 1;
  stored.font.lfHeight = 5;
  stored.highlightTopPercent = 80;
  stored.bottomMargin = -3;
  stored.smoothText = 1;
  StoreRecord(stored);
  const DisplaySettings loaded = Loaded();
  EXPECT_EQ(loaded.pointSize, 360);
  EXPECT_EQ(loaded.font.lfHeight, FontHeightForPointSize(ScreenPixelsPerInch(), 360));
  EXPECT_EQ(loaded.font.lfWeight, kBoldWeight);
  EXPECT_EQ(loaded.font.lfUnderline, 0);
  EXPECT_EQ(loaded.highlightTopPercent, 50);
  EXPECT_EQ(loaded.bottomMargin, 0);
  EXPECT_EQ(loaded.smoothText, 0) << "not anti-aliased";
}

TEST_F(RegistrySettings, AFontThatIsNotInstalledResetsEveryField) {
  DisplaySettings stored = Custom();
  std::strcpy(stored.font.lfFaceName, "No Such Face Installed");
  StoreRecord(stored);
  EXPECT_TRUE(Same(Loaded(), Defaults()));

  // A face name that fills its field without a NUL, and an empty one.
  std::memset(stored.font.lfFaceName, 'A', sizeof stored.font.lfFaceName);
  StoreRecord(stored);
  EXPECT_TRUE(Same(Loaded(), Defaults()));
  std::memset(stored.font.lfFaceName, 0, sizeof stored.font.lfFaceName);
  StoreRecord(stored);
  EXPECT_TRUE(Same(Loaded(), Defaults()));
}

TEST_F(RegistrySettings, TheTrueTypeFlagIsCheckedAgainstTheFont) {
  DisplaySettings stored = Custom();
  stored.antiAliased = 1;
  stored.trueTypeFont = 1;
  stored.smoothText = 0;
  StoreRecord(stored);
  DisplaySettings loaded = Loaded();
  EXPECT_EQ(loaded.trueTypeFont, 1) << "Arial is a TrueType font";
  EXPECT_EQ(loaded.smoothText, 1);

  stored.trueTypeFont = 0;  // stays 0 whatever the font
  StoreRecord(stored);
  loaded = Loaded();
  EXPECT_EQ(loaded.trueTypeFont, 0);
  EXPECT_EQ(loaded.smoothText, 0);

  stored.trueTypeFont = 1;
  stored.pointSize = 95;
  StoreRecord(stored);
  EXPECT_EQ(Loaded().smoothText, 0) << "below 10 pt";
}

TEST_F(RegistrySettings, ARasterFontLoadsAsNotTrueTypeUntilItIsRemoved) {
  BitmapFont bitmapFont;
  ASSERT_TRUE(bitmapFont.Install());
  DisplaySettings stored = Custom();
  std::strcpy(stored.font.lfFaceName, kBitmapFace);
  stored.antiAliased = 1;
  stored.trueTypeFont = 1;
  stored.smoothText = 1;
  StoreRecord(stored);
  DisplaySettings expected = stored;
  expected.trueTypeFont = 0;
  expected.smoothText = 0;
  EXPECT_TRUE(Same(Loaded(), expected));

  bitmapFont.Uninstall();
  EXPECT_TRUE(Same(Loaded(), Defaults())) << "no longer installed";
}

TEST_F(RegistrySettings, TheLyricsDirectoryIsKeptOnlyWhileItExists) {
  DisplaySettings stored = Custom();
  std::strcat(stored.lyricsDirectory, "\\");
  StoreRecord(stored);
  EXPECT_EQ(std::string(Loaded().lyricsDirectory), directory) << "without the backslash";

  stored = Custom();
  std::strcat(stored.lyricsDirectory, "\\gone");
  stored.lyricsDirectory[kLyricsDirectorySize - 1] = 'x';
  StoreRecord(stored);
  const DisplaySettings loaded = Loaded();
  for (size_t i = 0; i < kLyricsDirectorySize; ++i) {
    ASSERT_EQ(loaded.lyricsDirectory[i], '\0') << "byte " << i;
  }
}

class ModuleStore : public RegistrySettings {
 protected:
  void TearDown() override {
    while (ModuleDisplaySettings().users > 0) DetachDisplayUser(ModuleDisplaySettings());
    RegistrySettings::TearDown();
  }
};

TEST_F(ModuleStore, ClosingTheLastDisplayWithoutAChangeWritesNothing) {
  StoreRecord(Custom());
  DisplaySettingsStore& store = ModuleDisplaySettings();
  DisplaySettings display;
  AttachDisplayUser(store);
  TakeLiveSettings(store, display);
  EXPECT_TRUE(Same(display, Custom()));
  DeleteValue();
  ReplaceLiveSettings(store, Custom());  // the options applied without a change
  DetachDisplayUser(store);
  EXPECT_FALSE(ValueExists());
}

TEST_F(ModuleStore, ClosingTheLastDisplayAfterAChangeSavesIt) {
  DisplaySettingsStore& store = ModuleDisplaySettings();
  AttachDisplayUser(store);
  AttachDisplayUser(store);
  EXPECT_TRUE(ReplaceLiveSettings(store, Custom()));
  DetachDisplayUser(store);
  EXPECT_FALSE(ValueExists()) << "a display is still open";
  DetachDisplayUser(store);
  EXPECT_TRUE(Same(Loaded(), Custom()));
}

}  // namespace
