#include "display/display_settings.h"

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

namespace {

DisplaySettings Defaults(int pixelsPerInch = 96) {
  DisplaySettings settings;
  std::memset(&settings, 0x5A, sizeof settings);  // defaults must overwrite every byte
  SetDefaultDisplaySettings(settings, pixelsPerInch);
  return settings;
}

bool AllZero(const void* bytes, size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < size; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

TEST(DisplaySettingsDefaults, AreArialFourteenPointWhiteOnBlackCentred) {
  const DisplaySettings s = Defaults();
  EXPECT_EQ(s.font.lfHeight, -19);
  EXPECT_EQ(s.font.lfWeight, kRegularWeight);
  EXPECT_EQ(s.font.lfWidth | s.font.lfEscapement | s.font.lfOrientation, 0);
  EXPECT_TRUE(AllZero(&s.font.lfItalic, 8)) << "all eight byte members are 0";
  EXPECT_STREQ(s.font.lfFaceName, "Arial");
  EXPECT_TRUE(AllZero(s.font.lfFaceName + 5, sizeof s.font.lfFaceName - 5));
  EXPECT_EQ(s.trueTypeFont, 1);
  EXPECT_EQ(s.antiAliased, 1);
  EXPECT_EQ(s.alternateSides, 0);
  EXPECT_EQ(s.smoothText, 1);
  EXPECT_EQ(s.textColor, 0xFFFFFFu);
  EXPECT_EQ(s.backgroundColor, 0x000000u);
  EXPECT_EQ(s.highlightTopColor, 0xFFFFFFu);
  EXPECT_EQ(s.highlightBottomColor, 0xFF2020u);
  EXPECT_EQ(s.pointSize, 140);
  EXPECT_EQ(s.highlightTopPercent, 0);
  EXPECT_EQ(s.highlightBottomPercent, 0);
  EXPECT_EQ(s.leftAligned, 0);
  EXPECT_EQ(s.verticalAlignment, 0);
  EXPECT_EQ(s.leftMargin | s.topMargin | s.bottomMargin, 0);
  EXPECT_TRUE(AllZero(s.lyricsDirectory, sizeof s.lyricsDirectory));
  EXPECT_EQ(Defaults(120).font.lfHeight, -23);
}

TEST(FontHeightForPointSize, IsMinusThePixelHeightRoundedHalfUp) {
  struct Case {
    int pixelsPerInch;
    int32_t pointSize;
    int32_t height;
  };
  const Case cases[] = {
      {96, 140, -19},  // 18.67
      {120, 140, -23},  // 23.33
      {96, 60, -8},    // exactly 8
      {96, 360, -48},
      {72, 5, -1},  // exactly one half
      {72, 4, 0},   // 0.4
      {INT_MAX, 360, static_cast<int32_t>(-((int64_t{INT_MAX} * 360 + 360) / 720))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontHeightForPointSize(c.pixelsPerInch, c.pointSize), c.height)
        << c.pixelsPerInch << " dpi, " << c.pointSize << " tenths";
  }
}

TEST(CleanUpStoredSettings, ClampsEveryRangeAtAndPastItsLimits) {
  struct Case {
    int32_t DisplaySettings::*field;
    const char* name;
    int32_t stored;
    int32_t loaded;
  };
  const Case cases[] = {
      {&DisplaySettings::pointSize, "pointSize", 20, 60},
      {&DisplaySettings::pointSize, "pointSize", 60, 60},
      {&DisplaySettings::pointSize, "pointSize", 360, 360},
      {&DisplaySettings::pointSize, "pointSize", 1000, 360},
      {&DisplaySettings::highlightTopPercent, "highlightTopPercent", -1, 0},
      {&DisplaySettings::highlightTopPercent, "highlightTopPercent", 50, 50},
      {&DisplaySettings::highlightTopPercent, "highlightTopPercent", 51, 50},
      {&DisplaySettings::highlightBottomPercent, "highlightBottomPercent", INT32_MIN, 0},
      {&DisplaySettings::highlightBottomPercent, "highlightBottomPercent", 51, 50},
      {&DisplaySettings::leftMargin, "leftMargin", -1, 0},
      {&DisplaySettings::leftMargin, "leftMargin", 500, 500},
      {&DisplaySettings::leftMargin, "leftMargin", 501, 500},
      {&DisplaySettings::topMargin, "topMargin", INT32_MAX, 500},
      {&DisplaySettings::bottomMargin, "bottomMargin", 501, 500},
  };
  for (const Case& c : cases) {
    DisplaySettings s = Defaults();
    s.*c.field = c.stored;
    CleanUpStoredSettings(s, 96);
    EXPECT_EQ(s.*c.field, c.loaded) << c.name << " stored as " << c.stored;
  }
}

TEST(CleanUpStoredSettings, RecomputesTheHeightFromTheClampedSize) {
  DisplaySettings s = Defaults();
  s.pointSize = 1000;
  s.font.lfHeight = 12345;
  CleanUpStoredSettings(s, 96);
  EXPECT_EQ(s.font.lfHeight, -48);
  s.pointSize = 140;
  CleanUpStoredSettings(s, 120);
  EXPECT_EQ(s.font.lfHeight, -23);
}

TEST(CleanUpStoredSettings, KeepsOnlyRegularAndBold) {
  const int32_t stored[] = {0, 1, 399, 400, 401, 600, 700, 900, -400, INT32_MAX};
  for (int32_t weight : stored) {
    DisplaySettings s = Defaults();
    s.font.lfWeight = weight;
    CleanUpStoredSettings(s, 96);
    EXPECT_EQ(s.font.lfWeight, weight == 400 ? kRegularWeight : kBoldWeight) << weight;
  }
}

TEST(CleanUpStoredSettings, ZeroesFontMembersWithoutMeaningAndMakesFlagsZeroOrOne) {
  DisplaySettings s = Defaults();
  s.font.lfWidth = 7;
  s.font.lfEscapement = 900;
  s.font.lfOrientation = 900;
  s.font.lfItalic = 1;
  std::memset(&s.font.lfUnderline, 3, 2);  // underline, strike-out
  s.font.lfCharSet = 128;
  std::memset(&s.font.lfOutPrecision, 3, 4);  // precisions, quality, pitch and family
  std::memset(s.font.lfFaceName, 'A', sizeof s.font.lfFaceName);  // no NUL
  s.trueTypeFont = 7;
  s.antiAliased = -1;
  s.alternateSides = 2;
  s.leftAligned = 0x100;
  s.verticalAlignment = 7;  // any value but 0 and 1 means bottom
  CleanUpStoredSettings(s, 96);
  EXPECT_EQ(s.font.lfWidth | s.font.lfEscapement | s.font.lfOrientation, 0);
  EXPECT_TRUE(AllZero(&s.font.lfUnderline, 2));
  EXPECT_TRUE(AllZero(&s.font.lfOutPrecision, 4));
  EXPECT_EQ(s.font.lfItalic, 1) << "kept";
  EXPECT_EQ(s.font.lfCharSet, 128) << "kept";
  EXPECT_EQ(std::strlen(s.font.lfFaceName), sizeof s.font.lfFaceName - 1);
  EXPECT_EQ(s.trueTypeFont, 1);
  EXPECT_EQ(s.antiAliased, 1);
  EXPECT_EQ(s.alternateSides, 1);
  EXPECT_EQ(s.leftAligned, 1);
  EXPECT_EQ(s.verticalAlignment, 7);
}

TEST(SmoothText, NeedsAntiAliasingATrueTypeFontAndTenPoints) {
  struct Case {
    int32_t antiAliased;
    int32_t trueTypeFont;
    int32_t storedPointSize;
    int32_t storedSmoothText;
    int32_t smoothText;
  };
  const Case cases[] = {
      {1, 1, 100, 0, 1}, {1, 1, 95, 1, 0},  {1, 1, 99, 1, 0},   {1, 1, 360, 0, 1},
      {1, 0, 140, 1, 0}, {0, 1, 140, 1, 0}, {1, 1, 20, 1, 0},   // clamped to 6 pt
      {1, 1, 5000, 0, 1},                                     // clamped to 36 pt
      {5, 3, 140, 0, 1},                                      // flags stored as non-zero
  };
  for (const Case& c : cases) {
    DisplaySettings s = Defaults();
    s.antiAliased = c.antiAliased;
    s.trueTypeFont = c.trueTypeFont;
    s.pointSize = c.storedPointSize;
    s.smoothText = c.storedSmoothText;
    CleanUpStoredSettings(s, 96);
    EXPECT_EQ(s.smoothText, c.smoothText)
        << c.antiAliased << "/" << c.trueTypeFont << "/" << c.storedPointSize;
    EXPECT_EQ(DerivesSmoothText(s), c.smoothText == 1);
  }
}

TEST(DisplaySettingsDiffer, ComparesTheWholeByteImage) {
  const DisplaySettings a = Defaults();
  DisplaySettings b = a;
  EXPECT_FALSE(DisplaySettingsDiffer(a, b));
  b.lyricsDirectory[200] = 'x';  // after the terminating NUL
  EXPECT_TRUE(DisplaySettingsDiffer(a, b));
  b = a;
  b.font.lfFaceName[31] = 'x';
  EXPECT_TRUE(DisplaySettingsDiffer(a, b));
  b = a;
  b.lyricsDirectory[kLyricsDirectorySize - 1] = 1;
  EXPECT_TRUE(DisplaySettingsDiffer(a, b));
}

}  // namespace
