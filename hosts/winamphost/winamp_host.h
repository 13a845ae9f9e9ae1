// A small player that behaves towards general-purpose plug-ins as Winamp 5
// does: it loads them, answers their IPC messages from its playlist and
// its playback, embeds their frames, and notifies its own main window of
// starts and seeks as Winamp does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "hosts/winamphost/dshow_playback.h"
#include "hosts/winamphost/scripted_clock.h"
#include "hosts/winamphost/winamp_interface.h"

struct PlaylistEntry {
  std::string path;
  int lengthSeconds;  // -1 while unknown
};

struct HostPlugin {
  HMODULE module;  // null for a plug-in linked into the host
  GeneralPurposePlugin* record;
};

struct WinampHost {
  HWND mainWindow = nullptr;
  HMENU mainMenu = nullptr;  // the main window's context menu, kept for its life
  std::vector<PlaylistEntry> playlist;
  int current = 0;
  ScriptedClock clock;
  DirectShowPlayback* directShow = nullptr;
  std::vector<HostPlugin> plugins;
  std::vector<HWND> frames;
  int embedCalls = 0;
  bool sliderHeld = false;
  int sliderX = kSliderLeft;
};

// Command identifiers of the main window's context menu.
enum HostCommand {
  kHostPlay = 100,
  kHostPause,
  kHostStop,
  kHostPrevious,
  kHostNext,
  kHostBack,
  kHostForward,
  kHostPluginSettings,
  kHostExit,
};

// Creates the main window at (x, y) and makes this the host that the
// embedding function serves. One host at a time.
bool CreateWinampHost(WinampHost& host, HINSTANCE instance, int x, int y);

// Loads every gen_*.dll of `folder`, fills in its record and calls init.
int LoadPluginFolder(WinampHost& host, const char* folder);
// The same for a plug-in whose record is already in memory.
bool AddPlugin(WinampHost& host, GeneralPurposePlugin* record, HINSTANCE module);

void AddToPlaylist(WinampHost& host, const std::string& path, int lengthSeconds);
// Starts entry `index` on the scripted clock, or through DirectShow (when
// that fails, on the scripted clock), then sends IPC_PLAYING_FILE.
void PlayEntry(WinampHost& host, int index, bool directShow);
void PausePlayback(WinampHost& host, bool pause);
void StopPlayback(WinampHost& host);
// The seek of Winamp's own controls (no IPC message).
void SeekPlayback(WinampHost& host, int32_t ms);
void SetClockPosition(WinampHost& host, int32_t ms);
void SetClockRate(WinampHost& host, int rate);

int HostPlayStatus(WinampHost& host);
int32_t HostOutputTime(WinampHost& host);  // ms, -1 when stopped
int HostTrackLength(WinampHost& host);     // s, -1 unknown

// The plug-in window inside the first embedded frame, or null.
HWND FirstPluginWindow(const WinampHost& host);

// Exit as Winamp does it: the frames go, then every plug-in's quit runs
// and the modules are freed, then the main window goes.
void CloseWinampHost(WinampHost& host);

// The x of the slider's knob for a position.
int SliderXFor(WinampHost& host, int32_t ms);
