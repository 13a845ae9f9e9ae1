// The module's timing offset and the one keyboard hook of the process that
// changes it: Alt+Left and Alt+Right on the player's thread.
#pragma once

#include <windows.h>

#include "display/karaoke_layout.h"

// The shift and its box, shared by every visualization of the process.
TimingOffset& ModuleTimingOffset();

// Installs the hook for the current thread unless one is installed; true
// when this call installed it (the caller then owns it).
bool InstallOffsetKeyHook();
// Removes the hook (its owner calls this).
void RemoveOffsetKeyHook();
bool IsOffsetKeyHookInstalled();
