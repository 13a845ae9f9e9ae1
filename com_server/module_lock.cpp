#include "com_server/module_lock.h"

namespace {
volatile LONG lockCount = 0;
HINSTANCE moduleInstance = nullptr;
}  // namespace

void LockModule() { InterlockedIncrement(&lockCount); }
void UnlockModule() { InterlockedDecrement(&lockCount); }
LONG ModuleLockCount() { return InterlockedCompareExchange(&lockCount, 0, 0); }

HINSTANCE ModuleInstance() { return moduleInstance; }
void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }
