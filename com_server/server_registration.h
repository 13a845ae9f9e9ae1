// Registering and unregistering a server's classes with the registrar
// scripts among the module's resources.
#pragma once

#include <windows.h>

#include "wmp/registrar_run.h"

// Runs the "REGISTRY" resource `resourceId` of the module, with %MODULE%
// standing for the module's full path.
HRESULT RunModuleRegistryScript(UINT resourceId, RegistrarMode mode);

// The script of every class the module can make, in register mode, up to
// the first failure, which is returned.
HRESULT RegisterClassesFromScripts();
// The same scripts in unregister mode, ignoring failures.
HRESULT UnregisterClassesFromScripts();
