// The classes an in-process COM server hands out, in the order of
// registration. Each server module defines kServerClasses and
// kServerClassCount; the shared class factories and registration read them.
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

// The most classes one server may have.
constexpr int kMaxServerClasses = 8;
extern const ServerClass kServerClasses[];
extern const int kServerClassCount;

// The index of `clsid` in kServerClasses, or -1.
int FindServerClass(REFCLSID clsid);
