// Registering and unregistering the server's classes with their registrar
// scripts, and telling running players that their list of visualizations
// changed.
#pragma once

#include <windows.h>

#include "wmp/registrar_run.h"

// Runs the "REGISTRY" resource `resourceId` of the module, with %MODULE%
// standing for the module's full path.
HRESULT RunModuleRegistryScript(UINT resourceId, RegistrarMode mode);

// Every class's script in register mode, up to the first failure, which is
// returned; the notice to the players follows in any case.
HRESULT RegisterServerClasses();
// Every class's script in unregister mode, ignoring failures, then the
// notice to the players.
HRESULT UnregisterServerClasses();
