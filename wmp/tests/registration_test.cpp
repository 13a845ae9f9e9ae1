// Registering and unregistering the built kmwmp.dll, with the system's
// regsvr32 and through its exports, against this program's private
// registry.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "wmp/registrar_run.h"
#include "com_server/tests/server_module.h"
#include "wmp/wmp_effects.h"

namespace {

struct ClassEntry {
  const char* key;
  const char* description;
};
const ClassEntry kClasses[] = {
    {"CLSID\\{3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}", "Kmwmp Class"},
    {"CLSID\\{3B7E51A1-6C24-4F8B-9D13-5E2A7C0F4B61}", "Kmwmp PropertyPage1 Class"},
    {"CLSID\\{3B7E51A2-6C24-4F8B-9D13-5E2A7C0F4B61}", "Kmwmp PropertyPage2 Class"},
};
const std::string kEffectsKey = "SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";
const std::string kPluginKey = kEffectsKey + "\\Kmwmp";
const std::string kPropertiesKey = kPluginKey + "\\Properties";

void ExpectRegistered(const std::string& modulePath) {
  for (const ClassEntry& entry : kClasses) {
    SCOPED_TRACE(entry.key);
    const std::string server = std::string(entry.key) + "\\InprocServer32";
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, entry.key, nullptr), entry.description);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, server, nullptr), modulePath);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, server, "ThreadingModel"), "Apartment");
  }
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kPropertiesKey, "classid"),
            "{3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kPropertiesKey, "name"),
            "res://kmwmp.dll/RT_STRING/#101");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kPropertiesKey, "description"),
            "res://kmwmp.dll/RT_STRING/#107");
}

void ExpectUnregistered() {
  for (const ClassEntry& entry : kClasses) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, entry.key));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPluginKey));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey));
}

// Every test starts and ends without the module's entries, whatever an
// earlier one left behind.
class Registration : public testing::Test {
 protected:
  void SetUp() override { RemoveEntries(); }
  void TearDown() override { RemoveEntries(); }
  static void RemoveEntries() {
    for (const ClassEntry& entry : kClasses) DeleteRegistryTree(HKEY_CLASSES_ROOT, entry.key);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kPluginKey.c_str());
  }
};

// The module's full path as the system names it, which is what registration
// writes.
std::string ModuleFileName(const char* path) {
  ServerModule module(path);
  return module.FileName();
}

TEST_F(Registration, Regsvr32WritesEveryEntryAndRemovesOnlyItsOwn) {
  // Neighbours that are not the module's.
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, "CLSID\\{0B0C0D0E-0000-4000-8000-00000000ABCD}",
                          nullptr, "Other Class"));
  ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kEffectsKey + "\\Other\\Properties", "name", "x"));

  const std::string path = ModuleFileName(KMWMP_PATH);
  ASSERT_FALSE(path.empty());
  ASSERT_EQ(RunRegsvr32("/s", path), 0u);
  ExpectRegistered(path);
  ASSERT_EQ(RunRegsvr32("/u /s", path), 0u);
  ExpectUnregistered();
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{0B0C0D0E-0000-4000-8000-00000000ABCD}",
                       nullptr),
            "Other Class");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEffectsKey + "\\Other\\Properties", "name"), "x");
}

TEST_F(Registration, RegisteringAgainReplacesStaleEntries) {
  const std::string path = ModuleFileName(KMWMP_PATH);
  ASSERT_TRUE(CreateKey(HKEY_CLASSES_ROOT, std::string(kClasses[0].key) + "\\Stale\\Deeper"));
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, kClasses[0].key, "Old", "x"));
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, std::string(kClasses[2].key) + "\\InprocServer32",
                          nullptr, "C:\\old\\kmwmp.dll"));
  ASSERT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, kPluginKey + "\\Stale"));
  ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kPropertiesKey, "extra", "x"));

  ASSERT_EQ(RunRegsvr32("/s", path), 0u);
  ExpectRegistered(path);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string(kClasses[0].key) + "\\Stale"));
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kClasses[0].key, "Old"), "<missing>");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPluginKey + "\\Stale"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kPropertiesKey, "extra"), "<missing>");
}

TEST_F(Registration, ModulePathWithApostrophes) {
  char temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string folder = std::string(temp) + "O'Brien's 'plug-ins'";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) ||
              GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string copy = folder + "\\kmwmp.dll";
  ASSERT_TRUE(CopyFileA(KMWMP_PATH, copy.c_str(), FALSE)) << GetLastError();
  const std::string path = ModuleFileName(copy.c_str());
  ASSERT_NE(path.find("O'Brien's 'plug-ins'"), std::string::npos) << path;

  ASSERT_EQ(RunRegsvr32("/s", path), 0u);
  ExpectRegistered(path);
  ASSERT_EQ(RunRegsvr32("/u /s", path), 0u);
  ExpectUnregistered();
  DeleteFileA(copy.c_str());
  RemoveDirectoryA(folder.c_str());
}

// A top-level window that counts the players' plug-in notices it receives.
struct NoticeWindow {
  NoticeWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KamiruNoticeWindow";
    RegisterClassA(&windowClass);
    hwnd = CreateWindowA("KamiruNoticeWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                         nullptr, windowClass.hInstance, nullptr);
  }
  ~NoticeWindow() { DestroyWindow(hwnd); }

  int Received() {
    int count = 0;
    const UINT notice = RegisterWindowMessageA("WMPlayer_PluginAddRemove");
    MSG message;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
      while (PeekMessageA(&message, hwnd, 0, 0, PM_REMOVE)) {
        if (message.message == notice && message.wParam == 0 && message.lParam == 0) ++count;
      }
      Sleep(10);
    }
    return count;
  }

  HWND hwnd;
};

TEST_F(Registration, ExportsRegisterAndUnregisterAndTellThePlayers) {
  ServerModule server(KMWMP_PATH);
  ASSERT_TRUE(server.Loaded());
  NoticeWindow window;
  ASSERT_NE(window.hwnd, nullptr);

  EXPECT_EQ(server.registerServer(), S_OK);
  ExpectRegistered(server.FileName());
  EXPECT_EQ(window.Received(), 1);
  EXPECT_EQ(server.unregisterServer(), S_OK);
  ExpectUnregistered();
  EXPECT_EQ(window.Received(), 1);
  EXPECT_EQ(server.unregisterServer(), S_OK) << "nothing left to remove is no failure";
  EXPECT_EQ(window.Received(), 1);
}

TEST_F(Registration, StopsAtTheFirstClassThatFails) {
  // No stable key can be made below a volatile one, so the player's entry
  // of the first class cannot be written.
  ASSERT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kEffectsKey.c_str()), ERROR_SUCCESS);
  ASSERT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, kEffectsKey, REG_OPTION_VOLATILE));
  ServerModule server(KMWMP_PATH);
  ASSERT_TRUE(server.Loaded());
  NoticeWindow window;

  EXPECT_TRUE(FAILED(server.registerServer()));
  EXPECT_EQ(window.Received(), 1) << "the notice goes out after a failure too";
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClasses[0].key)) << "written before the failure";
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClasses[1].key));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClasses[2].key));
  EXPECT_NE(RunRegsvr32("/s", server.FileName()), 0u);

  EXPECT_EQ(server.unregisterServer(), S_OK);
  for (const ClassEntry& entry : kClasses) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, entry.key));
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, kEffectsKey.c_str());
  EXPECT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, kEffectsKey));
}

TEST_F(Registration, PlayerEntryLeadsCoCreateInstanceToTheServer) {
  ASSERT_EQ(RunRegsvr32("/s", ModuleFileName(KMWMP_PATH)), 0u);
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  // The player creates the class its Effects entry names.
  const std::string classid = ReadString(HKEY_LOCAL_MACHINE, kPropertiesKey, "classid");
  WCHAR wide[64] = {};
  MultiByteToWideChar(CP_ACP, 0, classid.c_str(), -1, wide, 64);
  CLSID clsid = {};
  ASSERT_EQ(CLSIDFromString(wide, &clsid), S_OK);
  EXPECT_EQ(GetModuleHandleA("kmwmp.dll"), nullptr);

  IWMPEffects2* effects = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidWmpEffects2,
                             reinterpret_cast<void**>(&effects)),
            S_OK);
  EXPECT_NE(GetModuleHandleA("kmwmp.dll"), nullptr);
  ASSERT_NE(effects, nullptr);
  effects->Release();
  CoUninitialize();
}

}  // namespace
