// The editor's settings through the real registry ("EP") of a private Wine
// prefix: defaults, the clean-up of stored records against a plain
// statement of the rules, and the round trip of a save.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>
#include <string>

#include "display/display_settings.h"
#include "display/win32/display_settings_win32.h"
#include "editor/editor_settings.h"

namespace {

void Store(const void* bytes, DWORD size) {
  ASSERT_TRUE(WriteSettingsValue(kEditorSettingsValue, bytes, size));
}

EditorSettings StoreAndLoad(const EditorSettings& stored) {
  Store(&stored, sizeof stored);
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

BYTE AnsiCharSet() {
  CHARSETINFO info = {};
  if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(UINT_PTR{GetACP()}), &info, TCI_SRCCODEPAGE)) {
    return ANSI_CHARSET;
  }
  return static_cast<BYTE>(info.ciCharset);
}

RECT Desktop() {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

RECT Centred720By540() {
  const RECT d = Desktop();
  const LONG left = d.left + (d.right - d.left - 720) / 2;
  const LONG top = d.top + (d.bottom - d.top - 540) / 2;
  return {left, top, left + 720, top + 540};
}

// The height rule as the user's documentation states it.
int32_t HeightRule(int dpi, int32_t tenths) {
  const int x = dpi * tenths / 72;
  return x % 10 < 5 ? -(x / 10) : -(x / 10 + 1);
}

struct FontFacts {
  bool found = false;
  bool trueType = false;
};

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM facts) {
  auto* f = reinterpret_cast<FontFacts*>(facts);
  f->found = true;
  f->trueType |= (type & TRUETYPE_FONTTYPE) != 0;
  return 1;
}

FontFacts AskFont(const char* face, BYTE charSet) {
  FontFacts facts;
  if (face[0] == '\0') return facts;
  LOGFONTA query = {};
  query.lfCharSet = charSet;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&facts), 0);
  ReleaseDC(nullptr, screen);
  return facts;
}

void SetFace(LOGFONTA& font, const char* face) {
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::memcpy(font.lfFaceName, face, std::strlen(face));
}

// A folder that exists for the test's lifetime.
std::string ExistingDirectory() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string directory = std::string(temp) + "kmedit settings test";
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

void SetDirectory(char (&field)[kEditorDirectorySize], const std::string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), text.size());
}

TEST(EditorSettingsTest, DefaultsWhenNothingUsableIsStored) {
  ASSERT_EQ(ScreenDpi(), 96) << "the defaults below are those of a 96 dots-per-inch screen";
  const char shortValue[931] = {1, 2, 3};
  const char longValue[933] = {1, 2, 3};
  struct Case {
    const char* name;
    const void* bytes;
    DWORD size;
  } cases[] = {{"missing", nullptr, 0}, {"short", shortValue, 931}, {"long", longValue, 933}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_SET_VALUE, &key) == 0) {
      RegDeleteValueA(key, kEditorSettingsValue);
      RegCloseKey(key);
    }
    if (c.bytes) Store(c.bytes, c.size);
    EditorSettings s;
    std::memset(&s, 0xCD, sizeof s);
    LoadEditorSettings(s);
    const RECT centred = Centred720By540();
    EXPECT_EQ(std::memcmp(&s.windowRect, &centred, sizeof centred), 0);
    EXPECT_EQ(s.textFont.lfHeight, -13);
    EXPECT_EQ(s.lyricsFont.lfHeight, -21);
    EXPECT_EQ(s.textFontSize, 100);
    EXPECT_EQ(s.lyricsFontSize, 160);
    EXPECT_EQ(s.textFont.lfWeight, 400);
    EXPECT_EQ(s.lyricsFont.lfWeight, 400);
    EXPECT_EQ(s.textFont.lfItalic, 0);
    EXPECT_STREQ(s.textFont.lfFaceName, "System");
    EXPECT_STREQ(s.lyricsFont.lfFaceName, "Arial");
    EXPECT_EQ(s.textFont.lfCharSet, AnsiCharSet());
    EXPECT_EQ(s.lyricsFont.lfCharSet, 0);
    EXPECT_EQ(s.antiAliased, 1);
    EXPECT_EQ(s.smoothing, 1);
    EXPECT_EQ(s.audioDirectory[0] | s.lyricsDirectory[0] | s.saveDirectory[0], 0);
  }
}

// A record whose fonts exist and whose values are all in range.
EditorSettings UsableRecord(const std::string& directory) {
  EditorSettings s = {};
  s.windowRect = {40, 50, 640, 530};
  s.textFont.lfWeight = 400;
  s.lyricsFont.lfWeight = 700;
  s.textFont.lfCharSet = AnsiCharSet();
  SetFace(s.textFont, "System");
  SetFace(s.lyricsFont, AskFont("Arial", 0).found ? "Arial" : "Tahoma");
  s.textFontSize = 120;
  s.lyricsFontSize = 140;
  s.textFont.lfHeight = EditorFontHeight(120);
  s.lyricsFont.lfHeight = EditorFontHeight(140);
  s.antiAliased = 1;
  s.smoothing = LyricsSmoothing(s) ? 1 : 0;
  SetDirectory(s.audioDirectory, directory);
  SetDirectory(s.lyricsDirectory, directory);
  SetDirectory(s.saveDirectory, directory);
  return s;
}

TEST(EditorSettingsTest, StoredValuesAreBroughtIntoRange) {
  const std::string directory = ExistingDirectory();
  EditorSettings stored = UsableRecord(directory);
  stored.textFontSize = 40;
  stored.lyricsFontSize = 250;
  stored.lyricsFont.lfWeight = 600;
  stored.windowRect = {-32000, -32000, -31840, -31973};  // a minimised window
  SetDirectory(stored.lyricsDirectory, directory + "\\");
  SetDirectory(stored.saveDirectory, directory + "\\gone");
  const EditorSettings loaded = StoreAndLoad(stored);

  EXPECT_EQ(loaded.textFontSize, 60);
  EXPECT_EQ(loaded.lyricsFontSize, 180);
  EXPECT_EQ(loaded.textFont.lfHeight, HeightRule(ScreenDpi(), 60));
  EXPECT_EQ(loaded.lyricsFont.lfHeight, HeightRule(ScreenDpi(), 180));
  EXPECT_EQ(loaded.lyricsFont.lfWeight, 700);
  const RECT centred = Centred720By540();
  EXPECT_EQ(std::memcmp(&loaded.windowRect, &centred, sizeof centred), 0);
  EXPECT_EQ(loaded.audioDirectory, directory);
  EXPECT_EQ(loaded.lyricsDirectory, directory) << "kept without its trailing backslash";
  EXPECT_STREQ(loaded.saveDirectory, "") << "a folder that is gone is forgotten";
}

TEST(EditorSettingsTest, SaveThenLoadGivesTheSameRecord) {
  const EditorSettings before = UsableRecord(ExistingDirectory());
  HWND window = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 30, 40, 500, 420,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EditorSettings saved = before;
  ASSERT_TRUE(SaveEditorSettings(saved, window));
  RECT placed;
  GetWindowRect(window, &placed);
  DestroyWindow(window);
  EXPECT_EQ(std::memcmp(&saved.windowRect, &placed, sizeof placed), 0);

  EditorSettings raw;
  ASSERT_TRUE(ReadSettingsValue(kEditorSettingsValue, &raw, sizeof raw));
  EXPECT_EQ(std::memcmp(&raw, &saved, sizeof raw), 0) << "exactly the record is stored";
  EditorSettings loaded;
  LoadEditorSettings(loaded);
  EXPECT_EQ(std::memcmp(&loaded, &saved, sizeof loaded), 0);
}

// The load's clean-up of stored records, against the rules applied one by
// one to random records: sizes and weights anywhere, noise in the ignored
// font members, faces that exist or not, windows on and off the desktop,
// directories that exist, end in a backslash, are gone or are noise.
TEST(EditorSettingsTest, RandomStoredRecordsLoadAsTheRulesSay) {
  const std::string directory = ExistingDirectory();
  // Under Wine: TrueType faces, a face of another kind (C059) where the
  // machine has it, and faces that are not installed.
  const char* faces[] = {"System", "Arial", "DejaVu Sans", "C059", "No Such Face", ""};
  const std::string directories[] = {directory, directory + "\\", directory + "\\gone", ""};
  const RECT desktop = Desktop();
  const int dpi = ScreenDpi();
  std::mt19937 random(20240611);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

  for (int round = 0; round < 120; ++round) {
    EditorSettings stored;
    for (size_t i = 0; i < sizeof stored; ++i) reinterpret_cast<uint8_t*>(&stored)[i] = pick(0, 255);
    // Mostly on the desktop, sometimes beyond any edge or without area.
    const LONG x = pick(-900, 1500), y = pick(-700, 1200);
    stored.windowRect = {x, y, x + (pick(0, 7) ? pick(1, 900) : pick(-20, 0)),
                         y + (pick(0, 7) ? pick(1, 700) : pick(-20, 0))};
    // Or just at one of the desktop's edges.
    RECT& edge = stored.windowRect;
    switch (pick(0, 7)) {
      case 0: edge.left = desktop.right - pick(1, 2), edge.right = edge.left + 50; break;
      case 1: edge.right = desktop.left + pick(0, 1), edge.left = edge.right - 50; break;
      case 2: edge.top = desktop.bottom - pick(1, 2), edge.bottom = edge.top + 50; break;
      case 3: edge.bottom = desktop.top + pick(0, 1), edge.top = edge.bottom - 50; break;
      default: break;
    }
    for (LOGFONTA* font : {&stored.textFont, &stored.lyricsFont}) {
      font->lfWeight = pick(0, 3) == 0 ? 400 : pick(0, 1000);
      SetFace(*font, faces[pick(0, 5)]);
      if (pick(0, 5) == 0) std::memset(font->lfFaceName, 'W', sizeof font->lfFaceName);
    }
    stored.lyricsFont.lfCharSet = pick(0, 1) ? 0 : stored.lyricsFont.lfCharSet;
    stored.textFontSize = pick(-300, 400);
    stored.lyricsFontSize = pick(0, 1) ? pick(90, 110) : pick(-300, 400);
    stored.antiAliased = pick(0, 2) == 0 ? 0 : pick(0, 2) == 0 ? pick(-9, 9) : 1;
    const int directoryKinds[3] = {pick(0, 4), pick(0, 4), pick(0, 4)};
    char(*fields[3])[kEditorDirectorySize] = {&stored.audioDirectory, &stored.lyricsDirectory,
                                              &stored.saveDirectory};
    for (int i = 0; i < 3; ++i) {
      if (directoryKinds[i] < 4) SetDirectory(*fields[i], directories[directoryKinds[i]]);
    }

    // The rules, one by one.
    EditorSettings want = stored;
    const RECT& r = stored.windowRect;
    if (r.left >= desktop.right - 1 || desktop.left >= r.right || r.top >= desktop.bottom - 1 ||
        desktop.top >= r.bottom || r.right <= r.left || r.bottom <= r.top) {
      want.windowRect = Centred720By540();
    }
    for (LOGFONTA* font : {&want.textFont, &want.lyricsFont}) {
      font->lfWidth = font->lfEscapement = font->lfOrientation = 0;
      font->lfUnderline = font->lfStrikeOut = font->lfOutPrecision = font->lfClipPrecision = 0;
      font->lfQuality = font->lfPitchAndFamily = 0;
      font->lfFaceName[31] = '\0';
      if (font->lfWeight != 400) font->lfWeight = 700;
    }
    want.textFont.lfCharSet = AnsiCharSet();
    want.textFontSize = want.textFontSize < 60 ? 60 : want.textFontSize > 180 ? 180 : want.textFontSize;
    want.lyricsFontSize =
        want.lyricsFontSize < 60 ? 60 : want.lyricsFontSize > 180 ? 180 : want.lyricsFontSize;
    want.textFont.lfHeight = HeightRule(dpi, want.textFontSize);
    want.lyricsFont.lfHeight = HeightRule(dpi, want.lyricsFontSize);
    want.antiAliased = want.antiAliased != 0;
    if (!AskFont(want.textFont.lfFaceName, want.textFont.lfCharSet).found) {
      SetFace(want.textFont, "System");
    }
    if (!AskFont(want.lyricsFont.lfFaceName, want.lyricsFont.lfCharSet).found) {
      SetFace(want.lyricsFont, "Arial");
      want.lyricsFont.lfCharSet = 0;
    }
    want.smoothing = want.antiAliased && want.lyricsFontSize >= 100 &&
                     AskFont(want.lyricsFont.lfFaceName, want.lyricsFont.lfCharSet).trueType;
    char(*wantFields[3])[kEditorDirectorySize] = {&want.audioDirectory, &want.lyricsDirectory,
                                                  &want.saveDirectory};
    for (int i = 0; i < 3; ++i) {
      if (directoryKinds[i] <= 1) {
        SetDirectory(*wantFields[i], directory);
      } else {
        std::memset(*wantFields[i], 0, kEditorDirectorySize);
      }
    }

    const EditorSettings loaded = StoreAndLoad(stored);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(std::memcmp(&loaded.windowRect, &want.windowRect, sizeof want.windowRect), 0);
    EXPECT_EQ(std::memcmp(&loaded.textFont, &want.textFont, sizeof want.textFont), 0)
        << loaded.textFont.lfFaceName << " " << want.textFont.lfFaceName;
    EXPECT_EQ(std::memcmp(&loaded.lyricsFont, &want.lyricsFont, sizeof want.lyricsFont), 0)
        << loaded.lyricsFont.lfFaceName << " " << want.lyricsFont.lfFaceName;
    EXPECT_EQ(loaded.textFontSize, want.textFontSize);
    EXPECT_EQ(loaded.lyricsFontSize, want.lyricsFontSize);
    EXPECT_EQ(loaded.antiAliased, want.antiAliased);
    EXPECT_EQ(loaded.smoothing, want.smoothing);
    EXPECT_EQ(std::memcmp(loaded.audioDirectory, want.audioDirectory, 3 * kEditorDirectorySize), 0);
    if (HasFailure()) break;
  }
}

// The height rule the editor states (tenths of a point to 72nds of an inch,
// then tenths rounded half up) is the display engine's rule at every
// resolution and size.
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
