// The classes the COM server hands out, in the order of registration.
#pragma once

#include <windows.h>

#include <unknwn.h>

// Makes an object of a class, aggregated into `outer` when given, and
// returns its `iid` interface; the object holds a module lock while it
// lives.
using CreateServerObject = HRESULT (*)(IUnknown* outer, REFIID iid, void** object);

struct ServerClass {
  CLSID clsid;
  CreateServerObject create;  // null while the class cannot be made
  UINT registryScript;        // its "REGISTRY" resource
};

constexpr int kServerClassCount = 3;
extern const ServerClass kServerClasses[kServerClassCount];

// The index of `clsid` in kServerClasses, or -1.
int FindServerClass(REFCLSID clsid);
