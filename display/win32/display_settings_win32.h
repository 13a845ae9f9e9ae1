// The display settings in the registry and the font checks they need.
#pragma once

#include <windows.h>

#include "display/display_settings.h"
#include "display/display_settings_store.h"

// The key under HKEY_CURRENT_USER that holds "LP".
constexpr const char* kSettingsRegistryKey = "Software\\Kamiru";
constexpr const char* kDisplaySettingsValue = "LP";

// Fills `settings` from "LP", cleaned up and checked, or with the defaults
// when the value is missing, is not exactly 384 bytes, names a font that is
// no longer installed, or no screen device context can be had.
void LoadDisplaySettings(DisplaySettings& settings);

// Writes "LP" as REG_BINARY; false when the key or the value could not be
// written.
bool SaveDisplaySettings(const DisplaySettings& settings);

// Whether some font family enumerates for the face name and character set
// of `font` on `dc`. An empty face name names no font.
bool IsFontInstalled(HDC dc, const SettingsFont& font);

// Whether some face of that family is a TrueType font.
bool IsTrueTypeFont(HDC dc, const SettingsFont& font);

LOGFONTA ToLogFont(const SettingsFont& font);
SettingsFont FromLogFont(const LOGFONTA& font);

// This module's store, kept in the registry.
DisplaySettingsStore& ModuleDisplaySettings();
