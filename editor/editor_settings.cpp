#include "editor/editor_settings.h"

#include <cstring>

#include "display/display_settings.h"
#include "display/win32/check_directory.h"
#include "display/win32/display_settings_win32.h"

static_assert(kEditorDirectorySize == kDirectoryBufferSize,
              "directories as CheckDirectory takes them");

namespace {

int32_t ClampFontSize(int32_t size) {
  return size < kEditorMinFontSize   ? kEditorMinFontSize
         : size > kEditorMaxFontSize ? kEditorMaxFontSize
                                     : size;
}

// The character set of the system's ANSI code page; ANSI_CHARSET (0) when
// the code page has none.
BYTE AnsiCodePageCharSet() {
  CHARSETINFO info = {};
  const UINT_PTR codePage = GetACP();
  if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(codePage), &info, TCI_SRCCODEPAGE)) {
    return ANSI_CHARSET;
  }
  return static_cast<BYTE>(info.ciCharset);
}

RECT DesktopRect() {
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

RECT CentredOn(const RECT& desktop) {
  const LONG left = desktop.left + (desktop.right - desktop.left - kDefaultEditorWidth) / 2;
  const LONG top = desktop.top + (desktop.bottom - desktop.top - kDefaultEditorHeight) / 2;
  return {left, top, left + kDefaultEditorWidth, top + kDefaultEditorHeight};
}

// A window that would not show on the desktop: wholly beside or beyond it
// (a minimised window's rectangle lies far outside), or without any area.
bool IsOffDesktop(const RECT& window, const RECT& desktop) {
  return window.left >= desktop.right - 1 || desktop.left >= window.right ||
         window.top >= desktop.bottom - 1 || desktop.top >= window.bottom ||
         window.right <= window.left || window.bottom <= window.top;
}

void SetFace(LOGFONTA& font, const char* face) {
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
}

void CleanUpFont(LOGFONTA& font) {
  SettingsFont cleaned = FromLogFont(font);
  CleanUpSettingsFont(cleaned);
  font = ToLogFont(cleaned);
}

bool FontEnumerates(HDC screen, const LOGFONTA& font) {
  return screen && IsFontInstalled(screen, FromLogFont(font));
}

void KeepExistingDirectory(char (&directory)[kEditorDirectorySize]) {
  if (!CheckDirectory(directory)) std::memset(directory, 0, sizeof directory);
}

void SetDefaultFonts(EditorSettings& settings, int pixelsPerInch, BYTE textCharSet) {
  settings.textFont = {};
  settings.textFont.lfHeight = FontHeightForPointSize(pixelsPerInch, kDefaultTextFontSize);
  settings.textFont.lfWeight = kRegularWeight;
  settings.textFont.lfCharSet = textCharSet;
  SetFace(settings.textFont, "System");
  settings.lyricsFont = {};
  settings.lyricsFont.lfHeight = FontHeightForPointSize(pixelsPerInch, kDefaultLyricsFontSize);
  settings.lyricsFont.lfWeight = kRegularWeight;
  settings.lyricsFont.lfCharSet = ANSI_CHARSET;
  SetFace(settings.lyricsFont, "Arial");
  settings.textFontSize = kDefaultTextFontSize;
  settings.lyricsFontSize = kDefaultLyricsFontSize;
  settings.antiAliased = 1;
  settings.smoothing = 1;
}

// Brings a stored record into range and in line with the fonts and
// directories that exist now. `screen` may be null.
void CleanUpStored(EditorSettings& settings, HDC screen, BYTE textCharSet) {
  const int pixelsPerInch = ScreenPixelsPerInch(screen);
  CleanUpFont(settings.textFont);
  CleanUpFont(settings.lyricsFont);
  settings.textFont.lfCharSet = textCharSet;
  settings.textFontSize = ClampFontSize(settings.textFontSize);
  settings.lyricsFontSize = ClampFontSize(settings.lyricsFontSize);
  settings.textFont.lfHeight = FontHeightForPointSize(pixelsPerInch, settings.textFontSize);
  settings.lyricsFont.lfHeight = FontHeightForPointSize(pixelsPerInch, settings.lyricsFontSize);
  settings.antiAliased = settings.antiAliased != 0 ? 1 : 0;

  if (!FontEnumerates(screen, settings.textFont)) SetFace(settings.textFont, "System");
  if (!FontEnumerates(screen, settings.lyricsFont)) {
    SetFace(settings.lyricsFont, "Arial");
    settings.lyricsFont.lfCharSet = ANSI_CHARSET;
  }
  // Without a screen the face cannot be asked; the stored flag stands for it.
  const bool trueType =
      screen ? IsTrueTypeFont(screen, FromLogFont(settings.lyricsFont)) : settings.smoothing != 0;
  settings.smoothing =
      SmoothTextApplies(settings.antiAliased, trueType ? 1 : 0, settings.lyricsFontSize) ? 1 : 0;

  KeepExistingDirectory(settings.audioDirectory);
  KeepExistingDirectory(settings.lyricsDirectory);
  KeepExistingDirectory(settings.saveDirectory);
}

}  // namespace

void LoadEditorSettings(EditorSettings& settings) {
  const bool stored = ReadSettingsValue(kEditorSettingsValue, &settings, sizeof settings);
  if (!stored) std::memset(&settings, 0, sizeof settings);

  const RECT desktop = DesktopRect();
  if (!stored || IsOffDesktop(settings.windowRect, desktop)) {
    settings.windowRect = CentredOn(desktop);
  }

  HDC screen = GetDC(nullptr);
  const BYTE textCharSet = AnsiCodePageCharSet();
  if (stored) {
    CleanUpStored(settings, screen, textCharSet);
  } else {
    SetDefaultFonts(settings, ScreenPixelsPerInch(screen), textCharSet);
  }
  if (screen) ReleaseDC(nullptr, screen);
}

bool SaveEditorSettings(EditorSettings& settings, HWND mainWindow) {
  RECT window;
  const bool placed = mainWindow && GetWindowRect(mainWindow, &window);
  if (placed) settings.windowRect = window;
  return WriteSettingsValue(kEditorSettingsValue, &settings, sizeof settings) && placed;
}

RECT DefaultEditorWindowRect() { return CentredOn(DesktopRect()); }

void SetDefaultEditorFonts(EditorSettings& settings) {
  HDC screen = GetDC(nullptr);
  SetDefaultFonts(settings, ScreenPixelsPerInch(screen), AnsiCodePageCharSet());
  if (screen) ReleaseDC(nullptr, screen);
}

int32_t EditorFontHeight(int32_t size) {
  HDC screen = GetDC(nullptr);
  const int32_t height = FontHeightForPointSize(ScreenPixelsPerInch(screen), size);
  if (screen) ReleaseDC(nullptr, screen);
  return height;
}

bool LyricsSmoothing(const EditorSettings& settings) {
  HDC screen = GetDC(nullptr);
  const bool trueType = screen && IsTrueTypeFont(screen, FromLogFont(settings.lyricsFont));
  if (screen) ReleaseDC(nullptr, screen);
  return SmoothTextApplies(settings.antiAliased, trueType ? 1 : 0, settings.lyricsFontSize);
}
