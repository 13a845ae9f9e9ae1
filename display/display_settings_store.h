// The process-wide display settings shared by the display instances and the
// option pages of one plug-in module. No lock: everything runs on the
// host's thread.
#pragma once

#include <cstdint>

#include "display/display_settings.h"

// Where the store keeps its records: the registry in the plug-ins
// (ModuleDisplaySettings), a fake in tests.
struct DisplaySettingsIo {
  void (*load)(DisplaySettings& settings);        // never fails
  bool (*save)(const DisplaySettings& settings);  // false when not written
};

struct DisplaySettingsStore {
  const DisplaySettingsIo* io;
  DisplaySettings baseline;  // as last loaded from or saved to the registry
  DisplaySettings live;      // what the displays use and the option pages write
  bool changed;              // live was replaced and no display has taken it up yet
  int32_t users;             // living displays, or 1 while the Winamp plug-in runs
};

// Adds a user; the first one loads the baseline and the live copy.
void AttachDisplayUser(DisplaySettingsStore& store);

// Removes a user; the last one saves the live copy when it differs from the
// baseline. A detach without a user does nothing.
void DetachDisplayUser(DisplaySettingsStore& store);

// Copies the live record into a display's private copy and clears the
// changed flag: the display is now up to date.
void TakeLiveSettings(DisplaySettingsStore& store, DisplaySettings& copy);

// Replaces the live record with the options' record. Only a record that
// differs sets the changed flag; returns whether it differed.
bool ReplaceLiveSettings(DisplaySettingsStore& store, const DisplaySettings& settings);

// Whether the live record changed since a display last took it; clears the
// flag, so only the first display that asks sees it.
bool TestAndClearSettingsChanged(DisplaySettingsStore& store);

// Saves the live record now if it differs from the baseline, which then
// follows it, and clears the changed flag (for options applied while no
// display exists). A failed save keeps the old baseline, so a later save
// tries again.
void CommitLiveSettings(DisplaySettingsStore& store);

// Rereads baseline and live from the registry, so that options opened while
// no display exists start from the stored record (and see what the other
// plug-in stored). A live record not yet saved is saved first rather than
// lost; when that save fails, nothing is reread.
void ReloadDisplaySettings(DisplaySettingsStore& store);
