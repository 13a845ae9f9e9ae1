// The exports of the in-process COM server.
#include <windows.h>

#include <objbase.h>

#include "wmp/class_factory.h"
#include "wmp/module_lock.h"
#include "wmp/server_registration.h"

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

STDAPI DllRegisterServer() { return RegisterServerClasses(); }

STDAPI DllUnregisterServer() { return UnregisterServerClasses(); }
