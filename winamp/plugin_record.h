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
static_assert(sizeof(WinampGeneralPurposePlugin) == 28,
              "Winamp reads seven 32-bit fields");

constexpr int kWinampPluginVersion = 0x10;
