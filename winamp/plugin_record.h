// Winamp 5's general-purpose plug-in record, as Winamp reads it.
#pragma once

#include <windows.h>

struct WinampGeneralPurposePlugin {
  int version;              // interface version, 0x10
  const char* description;  // the text Winamp lists for the plug-in
  int (*init)();            // 0 on success
  void (*config)();
  void (*quit)();
  HWND hostWindow;          // Winamp's main window, filled in before init
  HINSTANCE moduleInstance; // the plug-in's module, filled in before init
};
// An int and six pointers: 28 bytes for 32-bit Winamp, 56 in a 64-bit
// process (the int padded to the pointers' alignment).
static_assert(sizeof(WinampGeneralPurposePlugin) == (sizeof(void*) == 4 ? 28 : 56),
              "Winamp reads an int and six pointers");

constexpr int kWinampPluginVersion = 0x10;
