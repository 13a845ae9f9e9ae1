#include "display/win32/display_settings_win32.h"

#include <cstddef>
#include <cstring>

#include "display/win32/check_directory.h"

static_assert(sizeof(LOGFONTA) == sizeof(SettingsFont), "LOGFONTA layout");
static_assert(offsetof(LOGFONTA, lfHeight) == offsetof(SettingsFont, lfHeight), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfWidth) == offsetof(SettingsFont, lfWidth), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfEscapement) == offsetof(SettingsFont, lfEscapement),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfOrientation) == offsetof(SettingsFont, lfOrientation),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfWeight) == offsetof(SettingsFont, lfWeight), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfItalic) == offsetof(SettingsFont, lfItalic), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfUnderline) == offsetof(SettingsFont, lfUnderline),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfStrikeOut) == offsetof(SettingsFont, lfStrikeOut),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfCharSet) == offsetof(SettingsFont, lfCharSet), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfOutPrecision) == offsetof(SettingsFont, lfOutPrecision),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfClipPrecision) == offsetof(SettingsFont, lfClipPrecision),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfQuality) == offsetof(SettingsFont, lfQuality), "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfPitchAndFamily) ==
                  offsetof(SettingsFont, lfPitchAndFamily),
              "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(SettingsFont, lfFaceName), "LOGFONTA");
static_assert(sizeof(COLORREF) == sizeof(uint32_t), "COLORREF is 32 bits");

namespace {

// The face name and character set to enumerate; the stored face name may
// lack its terminating NUL.
LOGFONTA EnumerationFont(const SettingsFont& font) {
  LOGFONTA query = {};
  query.lfCharSet = font.lfCharSet;
  std::memcpy(query.lfFaceName, font.lfFaceName, sizeof query.lfFaceName - 1);
  return query;
}

int CALLBACK StopAtFirstFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

int CALLBACK StopAtFirstTrueType(const LOGFONTA*, const TEXTMETRICA*, DWORD fontType,
                                 LPARAM found) {
  if ((fontType & TRUETYPE_FONTTYPE) == 0) return 1;
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool EnumeratesAny(HDC dc, const SettingsFont& font, FONTENUMPROCA callback) {
  LOGFONTA query = EnumerationFont(font);
  // An empty face name would enumerate every family.
  if (query.lfFaceName[0] == '\0') return false;
  bool found = false;
  EnumFontFamiliesExA(dc, &query, callback, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

const DisplaySettingsIo kRegistryIo = {LoadDisplaySettings, SaveDisplaySettings};
DisplaySettingsStore moduleStore = {&kRegistryIo, {}, {}, false, 0};

}  // namespace

bool ReadSettingsValue(const char* name, void* record, DWORD size) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD read = size;
  const LONG result =
      RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(record), &read);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && read == size;
}

bool WriteSettingsValue(const char* name, const void* record, DWORD size) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsRegistryKey, 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool written = RegSetValueExA(key, name, 0, REG_BINARY,
                                      static_cast<const BYTE*>(record), size) == ERROR_SUCCESS;
  if (written) RegFlushKey(key);
  RegCloseKey(key);
  return written;
}

int ScreenPixelsPerInch(HDC screen) {
  const int pixelsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  return pixelsPerInch > 0 ? pixelsPerInch : kFallbackPixelsPerInch;
}

bool IsFontInstalled(HDC dc, const SettingsFont& font) {
  return EnumeratesAny(dc, font, StopAtFirstFamily);
}

bool IsTrueTypeFont(HDC dc, const SettingsFont& font) {
  return EnumeratesAny(dc, font, StopAtFirstTrueType);
}

void LoadDisplaySettings(DisplaySettings& settings) {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = ScreenPixelsPerInch(screen);
  // A font that is no longer installed discards the whole record: the
  // colours and sizes were chosen for that font.
  const bool stored =
      screen && ReadSettingsValue(kDisplaySettingsValue, &settings, sizeof settings) &&
      IsFontInstalled(screen, settings.font);
  if (stored && settings.trueTypeFont != 0) {
    settings.trueTypeFont = IsTrueTypeFont(screen, settings.font) ? 1 : 0;
  }
  if (screen) ReleaseDC(nullptr, screen);

  if (!stored) {
    SetDefaultDisplaySettings(settings, pixelsPerInch);
    return;
  }
  CleanUpStoredSettings(settings, pixelsPerInch);
  if (!CheckDirectory(settings.lyricsDirectory)) {
    std::memset(settings.lyricsDirectory, 0, sizeof settings.lyricsDirectory);
  }
}

bool SaveDisplaySettings(const DisplaySettings& settings) {
  return WriteSettingsValue(kDisplaySettingsValue, &settings, sizeof settings);
}

LOGFONTA ToLogFont(const SettingsFont& font) {
  LOGFONTA result;
  std::memcpy(&result, &font, sizeof result);
  return result;
}

SettingsFont FromLogFont(const LOGFONTA& font) {
  SettingsFont result;
  std::memcpy(&result, &font, sizeof result);
  return result;
}

DisplaySettingsStore& ModuleDisplaySettings() { return moduleStore; }
