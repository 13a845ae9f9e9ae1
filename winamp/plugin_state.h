// The plug-in's process-wide state: plain module data, one copy per
// process, touched only on Winamp's main thread.
#pragma once

#include <windows.h>

#include "display/karaoke_layout.h"
#include "winamp/embed_window_record.h"
#include "winamp/lyrics_window.h"
#include "winamp/plugin_record.h"
#include "winamp/window_state.h"

// The record's callbacks.
int StartPlugin();
void ConfigurePlugin();
void ShutdownPlugin();

struct PluginState {
  WinampGeneralPurposePlugin record = {
      kWinampPluginVersion, "Kamiru 2.0", StartPlugin, ConfigurePlugin, ShutdownPlugin,
      nullptr, nullptr};
  EmbedWindowRecord embed = {};
  LyricsWindowState baselineState = {};  // as read at start
  LyricsWindowState liveState = {};      // as the lyrics window changes it
  int initCount = 0;
  bool optionsOpen = false;
  bool hostMenuItemInserted = false;
  HHOOK callWindowHook = nullptr;
  HHOOK getMessageHook = nullptr;
  HHOOK keyboardHook = nullptr;
  TimingOffset timing;
  LyricsWindow lyricsWindow;
};

PluginState& Plugin();

// The hooks on the thread of Winamp's main window.
void InstallHostHooks(HWND hostWindow);
void RemoveHostHooks();

// The options dialog, modal, owned by `owner`; true when it ended with OK
// (any change is then in the store's live copy, with the changed flag set).
// Does nothing and returns false while an options dialog is open.
bool RunOptions(HWND owner);

void ShowAboutBox(HINSTANCE instance, HWND owner);
