// The display settings in the registry and the font checks they need.
#pragma once

#include <windows.h>

#include "display/display_settings.h"
#include "display/display_settings_store.h"

// The key under HKEY_CURRENT_USER that holds "LP".
constexpr const char* kSettingsRegistryKey = "Software\\Kamiru";
constexpr const char* kDisplaySettingsValue = "LP";

// Reads the value `name` of the settings key into `record`. Only a value of
// exactly `size` bytes counts: a shorter one would leave part of the record
// unwritten, a longer one is not a record of that layout. On false the
// record's contents are undefined.
bool ReadSettingsValue(const char* name, void* record, DWORD size);

// Writes `record` as the REG_BINARY value `name` of the settings key,
// creating the key when needed, and flushes the key; false when the key or
// the value could not be written.
bool WriteSettingsValue(const char* name, const void* record, DWORD size);

// LOGPIXELSY of the screen device context, or kFallbackPixelsPerInch when
// there is none.
int ScreenPixelsPerInch(HDC screen);

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
