// The plug-in's registration exports; the other entry points are the
// shared ones of com_server/server_entry.cpp.
#include <windows.h>

#include <objbase.h>

#include "wmp/server_registration.h"

STDAPI DllRegisterServer() { return RegisterServerClasses(); }

STDAPI DllUnregisterServer() { return UnregisterServerClasses(); }
