// The editor's settings: window rectangle, the font of the lyrics text, the
// font of the lyrics display with its anti-aliasing, and three remembered
// directories. Stored as the exact 932-byte image of EditorSettings in the
// registry value "EP" beside the display settings; every offset below is
// part of that stored format, the same in 32-bit and 64-bit builds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr const char* kEditorSettingsValue = "EP";
constexpr size_t kEditorSettingsSize = 932;
constexpr size_t kEditorDirectorySize = 260;

// Font sizes are tenths of a point.
constexpr int32_t kEditorMinFontSize = 60;
constexpr int32_t kEditorMaxFontSize = 180;
constexpr int32_t kDefaultTextFontSize = 100;
constexpr int32_t kDefaultLyricsFontSize = 160;
constexpr int kDefaultEditorWidth = 720;
constexpr int kDefaultEditorHeight = 540;

struct EditorSettings {
  RECT windowRect;  // screen coordinates
  LOGFONTA textFont;
  LOGFONTA lyricsFont;
  int32_t textFontSize;
  int32_t lyricsFontSize;
  int32_t antiAliased;  // the Options > Anti-Aliased check mark, 0 or 1
  int32_t smoothing;    // the lyrics are drawn smoothed, 0 or 1
  char audioDirectory[kEditorDirectorySize];
  char lyricsDirectory[kEditorDirectorySize];
  char saveDirectory[kEditorDirectorySize];
};

static_assert(sizeof(RECT) == 16 && sizeof(LOGFONTA) == 60, "Win32 layouts");
static_assert(sizeof(EditorSettings) == kEditorSettingsSize, "stored as 932 bytes");
static_assert(offsetof(EditorSettings, windowRect) == 0, "stored layout");
static_assert(offsetof(EditorSettings, textFont) == 16, "stored layout");
static_assert(offsetof(EditorSettings, lyricsFont) == 76, "stored layout");
static_assert(offsetof(EditorSettings, textFontSize) == 136, "stored layout");
static_assert(offsetof(EditorSettings, lyricsFontSize) == 140, "stored layout");
static_assert(offsetof(EditorSettings, antiAliased) == 144, "stored layout");
static_assert(offsetof(EditorSettings, smoothing) == 148, "stored layout");
static_assert(offsetof(EditorSettings, audioDirectory) == 152, "stored layout");
static_assert(offsetof(EditorSettings, lyricsDirectory) == 412, "stored layout");
static_assert(offsetof(EditorSettings, saveDirectory) == 672, "stored layout");

// Fills `settings` from "EP", cleaned up and checked, or with the defaults
// when the value is missing or not exactly 932 bytes. Never fails.
void LoadEditorSettings(EditorSettings& settings);

// Puts the main window's rectangle into `settings` and writes "EP"; false
// when the rectangle or the value could not be had or written.
bool SaveEditorSettings(EditorSettings& settings, HWND mainWindow);

// The default window: 720 by 540 pixels centred on the desktop.
RECT DefaultEditorWindowRect();

// The default fonts: text "System" 10 pt in the ANSI code page's character
// set, lyrics "Arial" 16 pt; anti-aliased option and smoothing on. The
// window rectangle and the directories are left alone.
void SetDefaultEditorFonts(EditorSettings& settings);

// The LOGFONTA height for `size` tenths of a point on the screen.
int32_t EditorFontHeight(int32_t size);

// Whether the lyrics are drawn smoothed: the anti-aliased option is on, the
// lyrics font is 10 points or more and its face is a TrueType font.
bool LyricsSmoothing(const EditorSettings& settings);
