#include "com_server/server_registration.h"

#include "com_server/module_lock.h"
#include "com_server/server_classes.h"

namespace {

struct HeapText {
  char* text = nullptr;
  ~HeapText() {
    if (text) HeapFree(GetProcessHeap(), 0, text);
  }
};

}  // namespace

HRESULT RunModuleRegistryScript(UINT resourceId, RegistrarMode mode) {
  HMODULE module = ModuleInstance();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "REGISTRY");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* script = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!script) return E_FAIL;
  const size_t length = SizeofResource(module, found);

  // A truncated path must not be registered as the server's.
  char path[MAX_PATH];
  const DWORD pathLength = GetModuleFileNameA(module, path, sizeof path);
  if (pathLength == 0 || pathLength >= sizeof path) return E_FAIL;

  const size_t needed = SubstituteModulePath(script, length, path, nullptr, 0);
  HeapText text;
  text.text = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, needed + 1));
  if (!text.text) return E_OUTOFMEMORY;
  SubstituteModulePath(script, length, path, text.text, needed + 1);

  RegistrarScript parsed;
  if (!ParseRegistrarScript(text.text, needed, &parsed)) return E_FAIL;
  return RunRegistrarScript(parsed, mode);
}

HRESULT RegisterClassesFromScripts() {
  for (int i = 0; i < kServerClassCount; ++i) {
    if (!kServerClasses[i].create) continue;
    const HRESULT hr = RunModuleRegistryScript(kServerClasses[i].registryScript,
                                               RegistrarMode::kRegister);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT UnregisterClassesFromScripts() {
  for (int i = 0; i < kServerClassCount; ++i) {
    if (!kServerClasses[i].create) continue;
    RunModuleRegistryScript(kServerClasses[i].registryScript, RegistrarMode::kUnregister);
  }
  return S_OK;
}
