// Applies a registrar script to the registry.
#pragma once

#include <windows.h>

#include "wmp/registrar_script.h"

enum class RegistrarMode { kRegister, kUnregister };

// Registering creates every key (a ForceRemove key is first deleted with
// everything below it) and sets its values, stopping at the first failure.
// Unregistering deletes every key not marked NoRemove with everything
// below it, and the named values of NoRemove keys; it goes on past
// failures. Returns S_OK or the first failure.
HRESULT RunRegistrarScript(const RegistrarScript& script, RegistrarMode mode);

// Deletes `name` below `parent` with all its subkeys; a missing key is not
// a failure.
LONG DeleteRegistryTree(HKEY parent, const char* name);
