// The COM server's module lock count: every living object of its classes,
// every LockServer(TRUE) not yet undone, and every class factory held from
// outside. The module may unload when it is 0.
#pragma once

#include <windows.h>

void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// The module's instance handle (for its resources), set at load.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
