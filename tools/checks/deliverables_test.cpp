// The built deliverables as Windows loads them: the plug-ins load with
// LoadLibrary and resolve their exports; the editor starts and shows its
// main window.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "winamp/plugin_record.h"

namespace {

struct Module {
  explicit Module(const char* path) : handle(LoadLibraryA(path)) {}
  ~Module() {
    if (handle) FreeLibrary(handle);
  }
  HMODULE handle;
};

template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(Deliverables, WindowsMediaPlayerPluginResolvesItsComExports) {
  Module module(KMWMP_PATH);
  ASSERT_NE(module.handle, nullptr) << KMWMP_PATH << " error " << GetLastError();
  for (const char* name :
       {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"}) {
    EXPECT_NE(GetProcAddress(module.handle, name), nullptr) << name;
  }
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = ProcAddress<GetClassObject>(module.handle, "DllGetClassObject");
  ASSERT_NE(getClassObject, nullptr);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject(GUID_NULL, IID_IUnknown, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
}

TEST(Deliverables, WinampPluginReturnsItsRecord) {
  Module module(GEN_KMRU_PATH);
  ASSERT_NE(module.handle, nullptr) << GEN_KMRU_PATH << " error " << GetLastError();
  using GetPlugin = WinampGeneralPurposePlugin* (*)();
  auto getPlugin = ProcAddress<GetPlugin>(module.handle, "winampGetGeneralPurposePlugin");
  ASSERT_NE(getPlugin, nullptr);
  WinampGeneralPurposePlugin* plugin = getPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->version, 0x10);
  EXPECT_STREQ(plugin->description, "Kamiru 2.0");
  EXPECT_NE(plugin->init, nullptr);
  EXPECT_NE(plugin->config, nullptr);
  EXPECT_NE(plugin->quit, nullptr);
}

HWND WaitForWindow(const char* className, DWORD processId, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, className, nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == processId && IsWindowVisible(hwnd)) return hwnd;
    }
    Sleep(50);
  }
  return nullptr;
}

TEST(Deliverables, EditorShowsItsMainWindowAndQuitsOnClose) {
  std::string commandLine = std::string("\"") + KMEDIT_PATH + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process))
      << GetLastError();
  HWND hwnd = WaitForWindow("KMEditMWnd", process.dwProcessId, 20000);
  ASSERT_NE(hwnd, nullptr);
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  // The caption rule: the name and one blank while no file is open.
  EXPECT_STREQ(caption, "Kamiru Editor ");
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);

  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
