// Registering and unregistering the plug-in's classes, and telling running
// players that their list of visualizations changed.
#pragma once

#include <windows.h>

// Every class's script in register mode, up to the first failure, which is
// returned; the notice to the players follows in any case.
HRESULT RegisterServerClasses();
// Every class's script in unregister mode, ignoring failures, then the
// notice to the players.
HRESULT UnregisterServerClasses();
