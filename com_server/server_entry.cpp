// The entry points every in-process COM server of the product shares: the
// module's load and unload, the class objects and the unload check. Each
// server module adds its own registration exports.
#include <windows.h>

#include <objbase.h>

#include "com_server/class_factory.h"
#include "com_server/module_lock.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
    InitClassFactories();
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // Only on FreeLibrary: at process exit the other threads are gone,
    // possibly inside a factory's critical section, and the memory goes
    // with the process anyway.
    ReleaseClassFactories();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return GetClassFactory(clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }
