// Helpers shared by the benchmarks that run the system's DirectShow filters
// under Wine: a clock in seconds and the registration of kmfilters.dll in
// the program's private registry.
#pragma once

#include <windows.h>

inline double NowSeconds() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Loads the filter server at `path` and registers it; false on failure.
inline bool RegisterFilters(const char* path) {
  HMODULE module = LoadLibraryA(path);
  if (!module) return false;
  using Register = HRESULT(WINAPI*)();
  auto registerServer = reinterpret_cast<Register>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
  return registerServer && registerServer() == S_OK;
}
