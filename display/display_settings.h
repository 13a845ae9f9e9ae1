// The display settings record: everything a user can set about the karaoke
// display. Both plug-ins store its exact 384-byte image as the registry
// value "LP", so every offset below is part of the stored format.
#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of Win32 LOGFONTA, so that the record and its arithmetic
// build without Windows headers. The Windows layer checks that the two
// layouts agree and converts with ToLogFont and FromLogFont.
struct SettingsFont {
  int32_t lfHeight;
  int32_t lfWidth;
  int32_t lfEscapement;
  int32_t lfOrientation;
  int32_t lfWeight;
  uint8_t lfItalic;
  uint8_t lfUnderline;
  uint8_t lfStrikeOut;
  uint8_t lfCharSet;
  uint8_t lfOutPrecision;
  uint8_t lfClipPrecision;
  uint8_t lfQuality;
  uint8_t lfPitchAndFamily;
  char lfFaceName[32];
};

constexpr size_t kLyricsDirectorySize = 260;

// Colours are COLORREF values, 0x00BBGGRR.
struct DisplaySettings {
  SettingsFont font;
  int32_t trueTypeFont;
  int32_t antiAliased;
  int32_t alternateSides;
  int32_t smoothText;
  uint32_t textColor;
  uint32_t backgroundColor;
  uint32_t highlightTopColor;
  uint32_t highlightBottomColor;
  int32_t pointSize;  // tenths of a point
  int32_t highlightTopPercent;
  int32_t highlightBottomPercent;
  int32_t leftAligned;
  int32_t verticalAlignment;  // 0 centred, 1 top, anything else bottom
  int32_t leftMargin;
  int32_t topMargin;
  int32_t bottomMargin;
  char lyricsDirectory[kLyricsDirectorySize];
};

constexpr size_t kDisplaySettingsSize = 384;

static_assert(sizeof(SettingsFont) == 60, "LOGFONTA is 60 bytes");
static_assert(sizeof(DisplaySettings) == kDisplaySettingsSize, "stored as 384 bytes");
static_assert(offsetof(SettingsFont, lfHeight) == 0, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfWidth) == 4, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfEscapement) == 8, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfOrientation) == 12, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfWeight) == 16, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfItalic) == 20, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfUnderline) == 21, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfStrikeOut) == 22, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfCharSet) == 23, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfOutPrecision) == 24, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfClipPrecision) == 25, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfQuality) == 26, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfPitchAndFamily) == 27, "LOGFONTA layout");
static_assert(offsetof(SettingsFont, lfFaceName) == 28, "LOGFONTA layout");
static_assert(offsetof(DisplaySettings, font) == 0, "stored layout");
static_assert(offsetof(DisplaySettings, trueTypeFont) == 60, "stored layout");
static_assert(offsetof(DisplaySettings, antiAliased) == 64, "stored layout");
static_assert(offsetof(DisplaySettings, alternateSides) == 68, "stored layout");
static_assert(offsetof(DisplaySettings, smoothText) == 72, "stored layout");
static_assert(offsetof(DisplaySettings, textColor) == 76, "stored layout");
static_assert(offsetof(DisplaySettings, backgroundColor) == 80, "stored layout");
static_assert(offsetof(DisplaySettings, highlightTopColor) == 84, "stored layout");
static_assert(offsetof(DisplaySettings, highlightBottomColor) == 88, "stored layout");
static_assert(offsetof(DisplaySettings, pointSize) == 92, "stored layout");
static_assert(offsetof(DisplaySettings, highlightTopPercent) == 96, "stored layout");
static_assert(offsetof(DisplaySettings, highlightBottomPercent) == 100, "stored layout");
static_assert(offsetof(DisplaySettings, leftAligned) == 104, "stored layout");
static_assert(offsetof(DisplaySettings, verticalAlignment) == 108, "stored layout");
static_assert(offsetof(DisplaySettings, leftMargin) == 112, "stored layout");
static_assert(offsetof(DisplaySettings, topMargin) == 116, "stored layout");
static_assert(offsetof(DisplaySettings, bottomMargin) == 120, "stored layout");
static_assert(offsetof(DisplaySettings, lyricsDirectory) == 124, "stored layout");

constexpr int32_t kRegularWeight = 400;
constexpr int32_t kBoldWeight = 700;
constexpr int32_t kMinPointSize = 60;  // the font dialog's 6 to 36 points
constexpr int32_t kMaxPointSize = 360;
constexpr int32_t kSmoothTextMinPointSize = 100;
constexpr int32_t kMaxHighlightPercent = 50;  // the two solid bands never overlap
constexpr int32_t kMaxMargin = 500;
// The screen resolution assumed when no screen device context can be had.
constexpr int kFallbackPixelsPerInch = 120;

// lfHeight for `pointSize` tenths of a point at `pixelsPerInch`: minus the
// pixel height, rounded half up (14.0 pt is -19 at 96, -23 at 120).
int32_t FontHeightForPointSize(int pixelsPerInch, int32_t pointSize);

// Arial, regular, 14 pt; white text on black, highlight white at the top
// fading to RGB(32,32,255) at the bottom; centred; no lyrics directory.
void SetDefaultDisplaySettings(DisplaySettings& settings, int pixelsPerInch);

// Whether anti-aliasing is in effect: only for a TrueType font of 10 pt or
// more, whatever the "Anti-Aliased" box says. The editor draws its lyrics
// font by the same rule.
bool SmoothTextApplies(int32_t antiAliased, int32_t trueTypeFont, int32_t pointSize);
bool DerivesSmoothText(const DisplaySettings& settings);

// Makes a stored LOGFONTA safe to use: the members that carry no meaning
// (width, escapement, orientation, underline, strike-out, the precisions,
// quality, pitch and family) become 0, the face name is terminated and any
// weight but regular becomes bold. Height, italic and character set stay.
void CleanUpSettingsFont(SettingsFont& font);

// Makes a stored record safe to use: the font members that carry no meaning
// become 0, the face name is terminated, the size and the weight are brought
// into range, the flags become 0 or 1, `smoothText` is derived and the
// percentages and margins are clamped. The caller has already verified
// `trueTypeFont` against the installed font; the lyrics directory is left
// to CheckDirectory.
void CleanUpStoredSettings(DisplaySettings& settings, int pixelsPerInch);

// Whether the two records differ anywhere in their byte image, including
// bytes after the end of a string.
bool DisplaySettingsDiffer(const DisplaySettings& a, const DisplaySettings& b);
