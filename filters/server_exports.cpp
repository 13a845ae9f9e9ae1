// The registration exports of kmfilters.dll: the classes under
// HKEY_CLASSES_ROOT\CLSID only. The filters are not registered with the
// filter mapper, so no other program's graph picks them up; the editor
// adds them to its graphs itself.
#include <windows.h>

#include <objbase.h>

#include "com_server/server_registration.h"

STDAPI DllRegisterServer() { return RegisterClassesFromScripts(); }

STDAPI DllUnregisterServer() { return UnregisterClassesFromScripts(); }
