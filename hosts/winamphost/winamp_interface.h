// Winamp 5's published interface towards general-purpose plug-ins, as the
// host implements it: the plug-in record, the embedded window record and
// the IPC codes of WM_WA_IPC.
#pragma once

#include <windows.h>

struct GeneralPurposePlugin {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

struct EmbedWindowState {
  HWND me;
  int flags;
  RECT r;
  void* user_ptr;
  int extra_data[64];
};

using GetGeneralPurposePlugin = GeneralPurposePlugin* (*)();
using EmbedWindowProc = HWND (*)(EmbedWindowState*);

constexpr UINT WM_WA_IPC = WM_USER;
constexpr LPARAM IPC_ISPLAYING = 104;
constexpr LPARAM IPC_GETOUTPUTTIME = 105;
constexpr LPARAM IPC_JUMPTOTIME = 106;
constexpr LPARAM IPC_GETLISTLENGTH = 124;
constexpr LPARAM IPC_GETLISTPOS = 125;
constexpr LPARAM IPC_GETPLAYLISTFILE = 211;
constexpr LPARAM IPC_GET_EMBEDIF = 505;
constexpr LPARAM IPC_PLAYING_FILE = 3003;

// Winamp's main window: the position slider's track in client coordinates.
constexpr int kSliderLeft = 18;
constexpr int kSliderRight = 263;
constexpr int kSliderTop = 73;
constexpr int kSliderBottom = 81;
