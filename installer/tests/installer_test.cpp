// Installs Kamiru with the installer of this build as an administrator's
// script does (silent, /D= for the folder), checks what a user then has,
// uninstalls it through the uninstall entry that Windows lists and checks
// that nothing of it is left but the user's settings and lyrics. The test's
// Wine prefix is fresh, so the only Kamiru on this "machine" is the one
// installed here.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "filters/filter_ids.h"
#include "hosts/wmphost/effects_catalog.h"
#include "hosts/wmphost/tests/test_support.h"
#include "tools/bmp/picture_file.h"

namespace {

// What the installer puts into its folder, and the built file it must equal.
struct InstalledFile {
  const char* name;
  const char* built;
};

std::vector<InstalledFile> ExpectedFiles() {
  std::vector<InstalledFile> files = {{"kmedit.exe", KMEDIT_BUILT},
                                      {"kmwmp.dll", KMWMP_BUILT},
                                      {"kmhelp.chm", KMHELP_BUILT},
                                      {"licence.txt", LICENCE_SOURCE}};
#ifdef KMFILTERS_BUILT
  files.push_back({"kmfilters.dll", KMFILTERS_BUILT});
#endif
#ifdef KMWMP32_BUILT
  files.push_back({"x86\\kmwmp.dll", KMWMP32_BUILT});
#endif
  return files;
}

constexpr char kSettingsKey[] = "Software\\Kamiru";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kamiru";
constexpr char kEffectsKey[] = "SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\Kmwmp";
// The visualization and its two property pages.
const char* const kVisualizationClasses[] = {"{3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}",
                                             "{3B7E51A1-6C24-4F8B-9D13-5E2A7C0F4B61}",
                                             "{3B7E51A2-6C24-4F8B-9D13-5E2A7C0F4B61}"};
const CLSID kFilterClasses[] = {kClsidWaveWriterFilter, kClsidAudioTeeFilter,
                                kClsidLyricsDisplayFilter};

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "<missing " + path + ">";
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

// Registry access in one view: 0 for this program's own (the installer's,
// which has the same bitness), KEY_WOW64_32KEY for the 32-bit one.
bool KeyExists(HKEY root, const std::string& key, REGSAM view = 0) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

bool ReadValue(HKEY root, const std::string& key, const char* name, std::string& value,
               REGSAM view = 0) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LONG result = RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, &size);
  value.assign(size, '\0');
  if (result == ERROR_SUCCESS && size > 0) {
    result = RegQueryValueExA(handle, name, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(&value[0]), &size);
  }
  RegCloseKey(handle);
  if (!value.empty() && value.back() == '\0') value.pop_back();  // a string's NUL
  return result == ERROR_SUCCESS;
}

void WriteValue(HKEY root, const std::string& key, const char* name, DWORD type,
                const std::string& data, REGSAM view = 0) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &handle,
                            nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           DWORD(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(handle);
}

std::string InprocServer(const char* clsid, REGSAM view = 0) {
  std::string path;
  ReadValue(HKEY_CLASSES_ROOT, std::string("CLSID\\") + clsid + "\\InprocServer32", nullptr, path,
            view);
  return path;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string StartMenuFolder() {
  char programs[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
  return std::string(programs) + "\\Kamiru";
}

// The user's settings of all three programs, as random bytes of their sizes.
struct Settings {
  std::string lp, ep, app;
};

Settings StoreSettings() {
  std::mt19937 random(16);
  auto bytes = [&random](size_t n) {
    std::string text(n, '\0');
    for (char& c : text) c = char(random());
    return text;
  };
  Settings settings{bytes(384), bytes(932), bytes(24)};
  WriteValue(HKEY_CURRENT_USER, kSettingsKey, "LP", REG_BINARY, settings.lp);
  WriteValue(HKEY_CURRENT_USER, kSettingsKey, "EP", REG_BINARY, settings.ep);
  WriteValue(HKEY_CURRENT_USER, kSettingsKey, "APP", REG_BINARY, settings.app);
  return settings;
}

void ExpectSettingsKept(const Settings& settings) {
  std::string lp, ep, app;
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "LP", lp) && lp == settings.lp);
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "EP", ep) && ep == settings.ep);
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "APP", app) && app == settings.app);
}

#ifdef KMWMP32_BUILT
// 32-bit programs start here only where Windows (or Wine) has its 32-bit
// subsystem; the 64-bit installer registers the 32-bit visualization there.
bool Runs32BitPrograms() {
  char folder[MAX_PATH] = {};
  if (GetSystemWow64DirectoryA(folder, MAX_PATH) == 0) return false;
  return RunCommand(std::string("\"") + folder + "\\cmd.exe\" /c exit 7", 30000) == 7;
}
#endif

// Runs a command and waits for it and for every process it starts: the
// uninstaller copies itself out of the folder it removes and runs the copy.
int RunAndWaitForAllProcesses(const std::string& commandLine) {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  DWORD code = DWORD(-1);
  if (job && port &&
      SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association,
                              sizeof association) &&
      CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                     nullptr, &startup, &process)) {
    if (AssignProcessToJobObject(job, process.hProcess)) {
      ResumeThread(process.hThread);
      DWORD message;
      ULONG_PTR key;
      LPOVERLAPPED overlapped;
      while (GetQueuedCompletionStatus(port, &message, &key, &overlapped, 300000) &&
             message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
      }
      GetExitCodeProcess(process.hProcess, &code);
    } else {
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (port) CloseHandle(port);
  if (job) CloseHandle(job);
  return int(code);
}

bool VisualizationListed() {
  for (const EffectEntry& entry : ReadEffectsCatalog()) {
    if (entry.key == "Kmwmp") {
      return entry.classidText == kVisualizationClasses[0] && entry.name == "Kamiru";
    }
  }
  return false;
}

// The Windows Media Player-like host creates the installed visualization and
// it draws the sample song's lyrics.
void ExpectVisualizationDraws(const std::string& work) {
  const std::string script = work + "song.txt";
  ASSERT_TRUE(WriteText(script, std::string("0 ") + SAMPLE_SONG + "\n23 end\n"));
  ASSERT_EQ(RunCommand(std::string("\"") + WMPHOST_PATH + "\" --effect Kmwmp --script \"" +
                       script + "\" --render memory --frames 1.2 --out \"" + work + "f\""),
            0);
  Picture frame;
  ASSERT_TRUE(ReadBitmapFile((work + "f-120.bmp").c_str(), frame));
  size_t background = 0;
  for (uint32_t pixel : frame.pixels) background += pixel == frame.pixels[0];
  EXPECT_LT(background, frame.pixels.size()) << "no lyrics drawn";
}

HRESULT CreateFilter(const CLSID& clsid) {
  IUnknown* object = nullptr;
  const HRESULT result =
      CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
  if (object) object->Release();
  return result;
}

// Creates each filter and lets the DLL go again, so that the uninstaller can
// delete it.
std::vector<HRESULT> CreateEachFilter() {
  std::vector<HRESULT> results;
  CoInitialize(nullptr);
  for (const CLSID& clsid : kFilterClasses) results.push_back(CreateFilter(clsid));
  CoFreeUnusedLibrariesEx(0, 0);
  CoUninitialize();
  return results;
}

class SilentSetup : public ::testing::Test {
 protected:
  // Each case starts without Winamp and without settings: a folder without
  // winamp.exe does not count as Winamp.
  void TearDown() override {
    for (const std::string& program : winampPrograms_) DeleteFileA(program.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
  }

  // A Winamp in `folder`, with Winamp's entry among the installed programs
  // (32-bit registry view) when `listed`; its plug-in folder.
  std::string MakeWinamp(const std::string& folder, bool listed) {
    SHCreateDirectoryExA(nullptr, (folder + "\\Plugins").c_str(), nullptr);
    winampPrograms_.push_back(folder + "\\winamp.exe");
    EXPECT_TRUE(WriteText(winampPrograms_.back(), "MZ"));
    if (listed) {
      WriteValue(HKEY_LOCAL_MACHINE,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
                 "UninstallString", REG_SZ, "\"" + folder + "\\UninstWA.exe\" /x", KEY_WOW64_32KEY);
    }
    return folder + "\\Plugins";
  }

  void Install(const std::string& options) {
    ASSERT_TRUE(FileExists(KM_SETUP)) << KM_SETUP
                                      << " is missing: build the target \"installers\" first";
    ASSERT_EQ(RunCommand(std::string("\"") + KM_SETUP + "\" /S" + options, 300000), 0);
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", folder_));
  }

  void ExpectInstalled() {
    for (const InstalledFile& file : ExpectedFiles()) {
      EXPECT_TRUE(ReadWholeFile(folder_ + "\\" + file.name) == ReadWholeFile(file.built))
          << file.name << " is not the built file";
    }
    EXPECT_TRUE(FileExists(folder_ + "\\uninstall.exe"));

    std::string value;
    EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, nullptr, value));
    EXPECT_EQ(value, folder_) << "the plug-ins find the help file through this value";
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", value) && !value.empty());
    EXPECT_TRUE(FileExists(StartMenuFolder() + "\\Kamiru Editor.lnk"));
    EXPECT_TRUE(FileExists(StartMenuFolder() + "\\Kamiru Help.lnk"));

    for (const char* clsid : kVisualizationClasses) {
      EXPECT_TRUE(SamePath(InprocServer(clsid), folder_ + "\\kmwmp.dll")) << clsid;
    }
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey));
    EXPECT_TRUE(VisualizationListed());
    ExpectVisualizationDraws(MakeWorkFolder("installed-visualization"));
#ifdef KMWMP32_BUILT
    if (Runs32BitPrograms()) {
      EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey, KEY_WOW64_32KEY));
      EXPECT_TRUE(SamePath(InprocServer(kVisualizationClasses[0], KEY_WOW64_32KEY),
                           folder_ + "\\x86\\kmwmp.dll"));
    }
#endif
#ifdef KMFILTERS_BUILT
    for (HRESULT result : CreateEachFilter()) EXPECT_EQ(result, S_OK);
#endif
  }

  void Uninstall() {
    std::string command;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", command));
    ASSERT_EQ(RunAndWaitForAllProcesses(command + " /S"), 0);
  }

  void ExpectUninstalled() {
    for (const InstalledFile& file : ExpectedFiles()) {
      EXPECT_FALSE(FileExists(folder_ + "\\" + file.name)) << file.name;
    }
    EXPECT_FALSE(FileExists(folder_ + "\\uninstall.exe"));
    EXPECT_FALSE(FileExists(folder_ + "\\x86"));
    EXPECT_FALSE(FileExists(StartMenuFolder()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    std::string value;
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, nullptr, value)) << value;

    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_32KEY)}) {
      EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEffectsKey, view));
      for (const char* clsid : kVisualizationClasses) {
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + clsid, view)) << clsid;
      }
    }
    EXPECT_FALSE(VisualizationListed());
#ifdef KMFILTERS_BUILT
    for (HRESULT result : CreateEachFilter()) EXPECT_EQ(result, REGDB_E_CLASSNOTREG);
#endif
  }

  std::string folder_;
  std::vector<std::string> winampPrograms_;
};

TEST_F(SilentSetup, InstallsIntoTheChosenFolderWithWinampAndUninstallsKeepingLyricsAndSettings) {
  const Settings settings = StoreSettings();
  // Winamp where its installer put it on the user's wish, known by its entry.
  const std::string plugins = MakeWinamp("C:\\Games\\Winamp", true);

  Install(" /D=C:\\Program Files\\Kamiru Test");
  EXPECT_TRUE(SamePath(folder_, "C:\\Program Files\\Kamiru Test"));
  ExpectInstalled();
  EXPECT_TRUE(ReadWholeFile(plugins + "\\gen_kmru.dll") == ReadWholeFile(GEN_KMRU_BUILT))
      << "the Winamp plug-in is not in Winamp's plug-in folder";
#ifdef WINAMPHOST_PATH
  // Winamp's stand-in loads the plug-in from there and shows its window.
  const std::string work = MakeWorkFolder("installed-winamp-plugin");
  ASSERT_TRUE(WriteText(work + "steps.txt", "300 report " + work + "report.txt\n400 quit\n"));
  ASSERT_EQ(RunCommand(std::string("\"") + WINAMPHOST_PATH + "\" --plugins \"" + plugins +
                       "\" --script \"" + work + "steps.txt\""),
            0);
  const std::vector<std::string> report = ReadLines(work + "report.txt");
  EXPECT_EQ(LinesStarting(report, "frame_title Kamiru").size(), 1u);
  EXPECT_EQ(LinesStarting(report, "plugin_window 1").size(), 1u);
#endif
  ExpectSettingsKept(settings);

  // The user keeps lyrics in the installation folder.
  const std::string lyrics = folder_ + "\\my song.km";
  ASSERT_TRUE(WriteText(lyrics, "KM lyrics of the user"));

  Uninstall();
  ExpectUninstalled();
  EXPECT_FALSE(FileExists(plugins + "\\gen_kmru.dll"));
  EXPECT_TRUE(FileExists(winampPrograms_[0]));
  EXPECT_EQ(ReadWholeFile(lyrics), "KM lyrics of the user");
  ExpectSettingsKept(settings);
}

TEST_F(SilentSetup, InstallsIntoProgramFilesWithoutWinampAndUninstallsEverything) {
  Install("");
  char programFiles[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
  EXPECT_TRUE(SamePath(folder_, std::string(programFiles) + "\\Kamiru"));
  ExpectInstalled();
  std::string value;
  EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "WinampPlugin", value))
      << "no Winamp, yet the plug-in went to " << value;

  Uninstall();
  ExpectUninstalled();
  EXPECT_FALSE(FileExists(folder_));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "an empty settings key is left";
}

TEST_F(SilentSetup, FindsWinampInTheProgramFilesFolderOf32BitPrograms) {
  // 64-bit Windows names that folder in every process's environment.
  char programs[MAX_PATH] = {};
  if (GetEnvironmentVariableA("ProgramFiles(x86)", programs, MAX_PATH) == 0) {
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programs);
  }
  const std::string plugins = MakeWinamp(std::string(programs) + "\\Winamp", false);

  Install(" /D=C:\\Kamiru");
  EXPECT_TRUE(ReadWholeFile(plugins + "\\gen_kmru.dll") == ReadWholeFile(GEN_KMRU_BUILT));
  Uninstall();
  EXPECT_FALSE(FileExists(plugins + "\\gen_kmru.dll"));
  EXPECT_FALSE(FileExists(folder_));
}

}  // namespace
