// The messages through which the plug-in asks Winamp's main window, and
// the notices Winamp sends to that window.
#pragma once

#include <windows.h>

constexpr UINT kWinampIpcMessage = WM_USER;  // WM_WA_IPC; the code goes in lParam

enum WinampIpc : LPARAM {
  kIpcIsPlaying = 104,        // 1 playing, 3 paused, anything else stopped
  kIpcGetOutputTime = 105,    // wParam 0: position in ms; 1: length in s; -1 unknown
  kIpcJumpToTime = 106,       // a seek
  kIpcGetListLength = 124,
  kIpcGetListPos = 125,
  kIpcGetPlaylistFile = 211,  // wParam: entry index; a name owned by Winamp, or null
  kIpcGetEmbedIf = 505,       // the embedding function, or 0
  kIpcRecheckA = 636,
  kIpcRecheckB = 637,
  kIpcRecheckWhenIdle = 3002,
  kIpcPlayingFile = 3003,     // a file starts playing
};

inline LRESULT AskWinamp(HWND host, WPARAM wParam, WinampIpc code) {
  return SendMessageA(host, kWinampIpcMessage, wParam, code);
}
