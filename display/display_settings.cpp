#include "display/display_settings.h"

#include <cstring>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kHighlightBlue = 0xFF2020;  // red 32, green 32, blue 255
constexpr int32_t kDefaultPointSize = 140;

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : value > high ? high : value;
}

int32_t AsFlag(int32_t value) { return value != 0 ? 1 : 0; }

}  // namespace

int32_t FontHeightForPointSize(int pixelsPerInch, int32_t pointSize) {
  // 720 tenths of a point to the inch; 64 bits so that no resolution overflows.
  const int64_t scaled = int64_t{pixelsPerInch} * pointSize;
  return static_cast<int32_t>(-((scaled + 360) / 720));
}

void SetDefaultDisplaySettings(DisplaySettings& settings, int pixelsPerInch) {
  std::memset(&settings, 0, sizeof settings);
  settings.font.lfHeight = FontHeightForPointSize(pixelsPerInch, kDefaultPointSize);
  settings.font.lfWeight = kRegularWeight;
  std::memcpy(settings.font.lfFaceName, "Arial", sizeof "Arial");
  settings.trueTypeFont = 1;
  settings.antiAliased = 1;
  settings.smoothText = 1;
  settings.textColor = kWhite;
  settings.backgroundColor = kBlack;
  settings.highlightTopColor = kWhite;
  settings.highlightBottomColor = kHighlightBlue;
  settings.pointSize = kDefaultPointSize;
}

bool SmoothTextApplies(int32_t antiAliased, int32_t trueTypeFont, int32_t pointSize) {
  return antiAliased != 0 && trueTypeFont != 0 && pointSize >= kSmoothTextMinPointSize;
}

bool DerivesSmoothText(const DisplaySettings& settings) {
  return SmoothTextApplies(settings.antiAliased, settings.trueTypeFont, settings.pointSize);
}

void CleanUpSettingsFont(SettingsFont& font) {
  font.lfWidth = 0;
  font.lfEscapement = 0;
  font.lfOrientation = 0;
  font.lfUnderline = 0;
  font.lfStrikeOut = 0;
  font.lfOutPrecision = 0;
  font.lfClipPrecision = 0;
  font.lfQuality = 0;
  font.lfPitchAndFamily = 0;
  font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
  if (font.lfWeight != kRegularWeight) font.lfWeight = kBoldWeight;
}

void CleanUpStoredSettings(DisplaySettings& settings, int pixelsPerInch) {
  SettingsFont& font = settings.font;
  CleanUpSettingsFont(font);
  settings.pointSize = Clamp(settings.pointSize, kMinPointSize, kMaxPointSize);
  font.lfHeight = FontHeightForPointSize(pixelsPerInch, settings.pointSize);

  // Other code toggles and tests these as 0 and 1.
  settings.trueTypeFont = AsFlag(settings.trueTypeFont);
  settings.antiAliased = AsFlag(settings.antiAliased);
  settings.alternateSides = AsFlag(settings.alternateSides);
  settings.leftAligned = AsFlag(settings.leftAligned);
  settings.smoothText = DerivesSmoothText(settings) ? 1 : 0;

  settings.highlightTopPercent = Clamp(settings.highlightTopPercent, 0, kMaxHighlightPercent);
  settings.highlightBottomPercent =
      Clamp(settings.highlightBottomPercent, 0, kMaxHighlightPercent);
  settings.leftMargin = Clamp(settings.leftMargin, 0, kMaxMargin);
  settings.topMargin = Clamp(settings.topMargin, 0, kMaxMargin);
  settings.bottomMargin = Clamp(settings.bottomMargin, 0, kMaxMargin);
}

bool DisplaySettingsDiffer(const DisplaySettings& a, const DisplaySettings& b) {
  return std::memcmp(&a, &b, sizeof a) != 0;
}
