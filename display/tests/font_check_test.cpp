#include <windows.h>

#include <cstring>

#include <gtest/gtest.h>

#include "display/tests/bitmap_font.h"
#include "display/win32/display_settings_win32.h"

namespace {

SettingsFont Face(const char* name, uint8_t charSet = ANSI_CHARSET) {
  SettingsFont font = {};
  std::strcpy(font.lfFaceName, name);
  font.lfCharSet = charSet;
  return font;
}

class FontCheck : public testing::Test {
 protected:
  void SetUp() override {
    screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(bitmapFont.Install());
  }
  void TearDown() override { ReleaseDC(nullptr, screen); }

  HDC screen = nullptr;
  BitmapFont bitmapFont;
};

TEST_F(FontCheck, KnowsInstalledFacesAndWhetherTheyAreTrueType) {
  struct Case {
    SettingsFont font;
    bool installed;
    bool trueType;
  };
  const Case cases[] = {
      // Wine replaces Arial with Liberation Sans but enumerates it as Arial.
      {Face("Arial"), true, true},
      {Face("arial"), true, true},
      {Face("Arial", DEFAULT_CHARSET), true, true},
      {Face("Arial", SHIFTJIS_CHARSET), false, false},  // not in that script
      {Face(kBitmapFace), true, false},
      {Face("No Such Face Installed"), false, false},
      {Face(""), false, false},  // would enumerate every family
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsFontInstalled(screen, c.font), c.installed)
        << c.font.lfFaceName << " " << int{c.font.lfCharSet};
    EXPECT_EQ(IsTrueTypeFont(screen, c.font), c.trueType)
        << c.font.lfFaceName << " " << int{c.font.lfCharSet};
  }
}

TEST_F(FontCheck, AFaceNameWithoutNulIsReadOnlyWithinItsField) {
  SettingsFont font = Face("Arial");
  std::memset(font.lfFaceName, 'A', sizeof font.lfFaceName);
  EXPECT_FALSE(IsFontInstalled(screen, font));
}

}  // namespace
