// A built in-process COM server loaded by path, with its four exports, and reads
// of the registry for the registration tests.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <string>

struct ServerModule {
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  using NoArguments = HRESULT(WINAPI*)();

  explicit ServerModule(const char* path) : handle(LoadLibraryA(path)) {
    if (!handle) return;
    getClassObject = Export<GetClassObject>("DllGetClassObject");
    canUnloadNow = Export<NoArguments>("DllCanUnloadNow");
    registerServer = Export<NoArguments>("DllRegisterServer");
    unregisterServer = Export<NoArguments>("DllUnregisterServer");
  }
  ~ServerModule() {
    if (handle) FreeLibrary(handle);
  }
  ServerModule(const ServerModule&) = delete;
  ServerModule& operator=(const ServerModule&) = delete;

  bool Loaded() const {
    return handle && getClassObject && canUnloadNow && registerServer && unregisterServer;
  }
  std::string FileName() const {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(handle, path, sizeof path);
    return path;
  }

  template <typename Function>
  Function Export(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
  }

  HMODULE handle;
  GetClassObject getClassObject = nullptr;
  NoArguments canUnloadNow = nullptr;
  NoArguments registerServer = nullptr;
  NoArguments unregisterServer = nullptr;
};

inline bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The string value `name` (null: the default value); "<missing>" when the
// key or value does not exist or is not a string.
inline std::string ReadString(HKEY root, const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG error =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (error != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
  return data;
}

inline bool CreateKey(HKEY root, const std::string& path, DWORD options = 0) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

inline bool WriteString(HKEY root, const std::string& path, const char* name,
                        const std::string& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG error = RegSetValueExA(key, name, 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(data.c_str()),
                                    static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
  return error == ERROR_SUCCESS;
}

// Runs the system's regsvr32 with `options` on `path`; its exit code.
inline DWORD RunRegsvr32(const std::string& options, const std::string& path) {
  std::string commandLine = "regsvr32.exe " + options + " \"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError() | 0x80000000u;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}
