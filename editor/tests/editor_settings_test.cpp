// The editor's settings through the real registry ("EP") of a private Wine
// prefix, against the rules applied one by one.
#include "editor/editor_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>
#include <string>

#include "display/display_settings.h"
#include "display/win32/display_settings_win32.h"

namespace {

EditorSettings Load() {
  EditorSettings loaded;
  std::memset(&loaded, 0xCD, sizeof loaded);
  LoadEditorSettings(loaded);
  return loaded;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT Desktop() {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

// The height rule as the user's documentation states it.
int32_t HeightRule(int dpi, int32_t tenths) {
  const int x = dpi * tenths / 72;
  return x % 10 < 5 ? -(x / 10) : -(x / 10 + 1);
}

int CALLBACK NoteFont(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM result) {
  auto* facts = reinterpret_cast<std::pair<bool, bool>*>(result);
  facts->first = true;
  facts->second |= (type & TRUETYPE_FONTTYPE) != 0;
  return 1;
}

// Whether a face enumerates in that character set, and as TrueType.
std::pair<bool, bool> AskFont(const char* face, BYTE charSet) {
  std::pair<bool, bool> facts(false, false);
  LOGFONTA query = {};
  query.lfCharSet = charSet;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  if (face[0] != '\0')
    EnumFontFamiliesExA(screen, &query, NoteFont, reinterpret_cast<LPARAM>(&facts), 0);
  ReleaseDC(nullptr, screen);
  return facts;
}

void SetText(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), text.size());
}

// What a load of `stored` (null: nothing usable stored) must give.
EditorSettings Expected(const EditorSettings* stored) {
  CHARSETINFO info = {};
  const BYTE ansi =
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(UINT_PTR{GetACP()}), &info, TCI_SRCCODEPAGE)
          ? info.ciCharset
          : 0;
  const RECT d = Desktop();
  const LONG left = d.left + (d.right - d.left - 720) / 2,
             top = d.top + (d.bottom - d.top - 540) / 2;
  const RECT centred = {left, top, left + 720, top + 540};
  EditorSettings want = {};
  if (!stored) {
    want.windowRect = centred;
    want.textFontSize = 100;
    want.lyricsFontSize = 160;
    want.textFont.lfWeight = want.lyricsFont.lfWeight = 400;
    want.antiAliased = want.smoothing = 1;
  } else {
    want = *stored;
    const RECT& r = stored->windowRect;
    if (r.left >= d.right - 1 || d.left >= r.right || r.top >= d.bottom - 1 || d.top >= r.bottom ||
        r.right <= r.left || r.bottom <= r.top) {
      want.windowRect = centred;
    }
  }
  for (LOGFONTA* font : {&want.textFont, &want.lyricsFont}) {
    font->lfWidth = font->lfEscapement = font->lfOrientation = 0;
    font->lfUnderline = font->lfStrikeOut = font->lfOutPrecision = font->lfClipPrecision = 0;
    font->lfQuality = font->lfPitchAndFamily = 0;
    font->lfFaceName[31] = '\0';
    if (font->lfWeight != 400) font->lfWeight = 700;
  }
  want.textFont.lfCharSet = ansi;
  for (int32_t* size : {&want.textFontSize, &want.lyricsFontSize}) {
    *size = *size < 60 ? 60 : *size > 180 ? 180 : *size;
  }
  want.textFont.lfHeight = HeightRule(ScreenDpi(), want.textFontSize);
  want.lyricsFont.lfHeight = HeightRule(ScreenDpi(), want.lyricsFontSize);
  want.antiAliased = want.antiAliased != 0;
  if (!AskFont(want.textFont.lfFaceName, ansi).first || !stored) {
    SetText(want.textFont.lfFaceName, 32, "System");
  }
  if (!AskFont(want.lyricsFont.lfFaceName, want.lyricsFont.lfCharSet).first) {
    SetText(want.lyricsFont.lfFaceName, 32, "Arial");
    want.lyricsFont.lfCharSet = 0;
  }
  if (stored) {
    want.smoothing = want.antiAliased && want.lyricsFontSize >= 100 &&
                     AskFont(want.lyricsFont.lfFaceName, want.lyricsFont.lfCharSet).second;
  }
  // A directory stays, without one trailing backslash, only if it exists.
  for (char* directory : {want.audioDirectory, want.lyricsDirectory, want.saveDirectory}) {
    directory[kEditorDirectorySize - 1] = '\0';
    std::string path = directory;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = !path.empty() && path.size() <= 256 &&
                        attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY);
    SetText(directory, kEditorDirectorySize, exists ? path : "");
  }
  return want;
}

void ExpectSame(const EditorSettings& loaded, const EditorSettings& want) {
  EXPECT_EQ(std::memcmp(&loaded, &want, sizeof want), 0)
      << "window " << loaded.windowRect.left << "," << loaded.windowRect.top << " want "
      << want.windowRect.left << "," << want.windowRect.top << "; faces "
      << loaded.textFont.lfFaceName << "/" << loaded.lyricsFont.lfFaceName << " want "
      << want.textFont.lfFaceName << "/" << want.lyricsFont.lfFaceName << "; smoothing "
      << loaded.smoothing << " want " << want.smoothing << "; sizes " << loaded.textFontSize << "/"
      << loaded.lyricsFontSize;
}

// A folder that exists for the test's lifetime.
std::string ExistingDirectory() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string directory = std::string(temp) + "kmedit settings test";
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

TEST(EditorSettingsTest, MissingShortOrLongValuesGiveTheDefaults) {
  ASSERT_EQ(ScreenDpi(), 96);
  const char value[933] = {1, 2, 3};
  for (DWORD size : {0, 931, 933}) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_SET_VALUE, &key) == 0) {
      RegDeleteValueA(key, kEditorSettingsValue);
      RegCloseKey(key);
    }
    if (size) {
      ASSERT_TRUE(WriteSettingsValue(kEditorSettingsValue, value, size));
    }
    const EditorSettings loaded = Load();
    ExpectSame(loaded, Expected(nullptr));
    EXPECT_EQ(loaded.textFont.lfHeight, -13);
    EXPECT_EQ(loaded.lyricsFont.lfHeight, -21);
  }
}

TEST(EditorSettingsTest, StoredValuesAreBroughtIntoRange) {
  const std::string directory = ExistingDirectory();
  EditorSettings stored = {};
  stored.windowRect = {-32000, -32000, -31840, -31973};  // a minimised window
  stored.textFontSize = 40;
  stored.lyricsFontSize = 250;
  stored.lyricsFont.lfWeight = 600;
  SetText(stored.lyricsFont.lfFaceName, 32, "Arial");
  SetText(stored.audioDirectory, kEditorDirectorySize, directory + "\\");
  SetText(stored.saveDirectory, kEditorDirectorySize, directory + "\\gone");
  ASSERT_TRUE(WriteSettingsValue(kEditorSettingsValue, &stored, sizeof stored));
  const EditorSettings loaded = Load();
  ExpectSame(loaded, Expected(&stored));
  EXPECT_EQ(loaded.textFontSize, 60);
  EXPECT_EQ(loaded.lyricsFontSize, 180);
  EXPECT_EQ(loaded.lyricsFont.lfWeight, 700);
  EXPECT_EQ(loaded.windowRect.right - loaded.windowRect.left, 720);
  EXPECT_EQ(loaded.audioDirectory, directory);
  EXPECT_STREQ(loaded.saveDirectory, "");
}

TEST(EditorSettingsTest, SaveThenLoadGivesTheSameRecord) {
  EditorSettings saved = {};
  SetText(saved.lyricsFont.lfFaceName, 32, "Arial");
  saved.lyricsFontSize = 120;
  saved.antiAliased = 1;
  SetText(saved.lyricsDirectory, kEditorDirectorySize, ExistingDirectory());
  saved = Expected(&saved);  // a record that loads unchanged
  HWND window = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 30, 40, 500, 420, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_TRUE(SaveEditorSettings(saved, window));
  RECT placed;
  GetWindowRect(window, &placed);
  DestroyWindow(window);
  EXPECT_EQ(std::memcmp(&saved.windowRect, &placed, sizeof placed), 0);
  ExpectSame(Load(), saved);
}

// Random records: sizes and weights anywhere, noise in the ignored font
// members, faces that exist (TrueType or not) or do not, windows on, off
// and at the edges of the desktop, directories that exist, end in a
// backslash, are gone or are noise.
TEST(EditorSettingsTest, RandomStoredRecordsLoadAsTheRulesSay) {
  const std::string directory = ExistingDirectory();
  const char* faces[] = {"System", "Arial", "DejaVu Sans", "C059", "No Such Face", ""};
  const std::string directories[] = {directory, directory + "\\", directory + "\\gone", ""};
  const RECT d = Desktop();
  std::mt19937 random(20240611);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 150 && !HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    EditorSettings stored;
    for (size_t i = 0; i < sizeof stored; ++i)
      reinterpret_cast<uint8_t*>(&stored)[i] = pick(0, 255);
    RECT& r = stored.windowRect;
    r.left = pick(-900, 1500), r.top = pick(-700, 1200);
    r.right = r.left + (pick(0, 7) ? pick(1, 900) : pick(-20, 0));
    r.bottom = r.top + (pick(0, 7) ? pick(1, 700) : pick(-20, 0));
    switch (pick(0, 7)) {  // just at one of the desktop's edges
      case 0:
        r.left = d.right - pick(1, 2), r.right = r.left + 50;
        break;
      case 1:
        r.right = d.left + pick(0, 1), r.left = r.right - 50;
        break;
      case 2:
        r.top = d.bottom - pick(1, 2), r.bottom = r.top + 50;
        break;
      case 3:
        r.bottom = d.top + pick(0, 1), r.top = r.bottom - 50;
        break;
    }
    for (LOGFONTA* font : {&stored.textFont, &stored.lyricsFont}) {
      font->lfWeight = pick(0, 3) == 0 ? 400 : pick(0, 1000);
      if (pick(0, 5)) SetText(font->lfFaceName, 32, faces[pick(0, 5)]);
    }
    if (pick(0, 1)) stored.lyricsFont.lfCharSet = 0;
    stored.textFontSize = pick(-300, 400);
    stored.lyricsFontSize = pick(0, 1) ? pick(90, 110) : pick(-300, 400);
    stored.antiAliased = pick(0, 2) == 0 ? 0 : pick(0, 2) == 0 ? pick(-9, 9) : 1;
    for (char* field : {stored.audioDirectory, stored.lyricsDirectory, stored.saveDirectory}) {
      if (pick(0, 4)) SetText(field, kEditorDirectorySize, directories[pick(0, 3)]);
    }
    ASSERT_TRUE(WriteSettingsValue(kEditorSettingsValue, &stored, sizeof stored));
    ExpectSame(Load(), Expected(&stored));
  }
}

// The editor's statement of the height rule is the display engine's rule.
TEST(EditorSettingsTest, HeightRuleMatchesTheDisplayEngine) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const int dpi = std::uniform_int_distribution<int>(1, 600)(random);
    const int32_t tenths = std::uniform_int_distribution<int32_t>(0, 4000)(random);
    ASSERT_EQ(FontHeightForPointSize(dpi, tenths), HeightRule(dpi, tenths)) << dpi << " " << tenths;
  }
  EXPECT_EQ(EditorFontHeight(100), HeightRule(ScreenDpi(), 100));
}

}  // namespace
