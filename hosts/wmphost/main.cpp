// wmphost: plays like Windows Media Player towards its visualization
// plug-ins (IWMPEffects, IWMPEffects2), with the system's player object
// (--play) or a song script (--script). See host_options.h for the command
// line. Exit code 0; 2 for a bad command line, script or choice of
// visualization; 1 when the plug-in or the player failed.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hosts/wmphost/effects_catalog.h"
#include "hosts/wmphost/effects_session.h"
#include "hosts/wmphost/host_options.h"
#include "hosts/wmphost/host_window.h"
#include "hosts/wmphost/scripted_player.h"
#include "hosts/wmphost/song_script.h"
#include "hosts/wmphost/wine_player.h"

namespace {

const char kUsage[] =
    "usage: wmphost (--play FILE | --script FILE) [--effect NAME] [--preset N]\n"
    "               [--render window|memory] [--frames T1,T2,...] [--save-every SECONDS]\n"
    "               [--out PREFIX] [--seconds N] [--size WIDTHxHEIGHT]\n"
    "       wmphost --list\n";

bool ReadTextFile(const std::string& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return true;
}

std::wstring FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  const std::string text = length > 0 && length < MAX_PATH ? full : path;
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
  return wide;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

int ListEffects() {
  for (const EffectEntry& entry : ReadEffectsCatalog()) {
    std::printf("%s\t%s\t%s\t%s\n", entry.key.c_str(), entry.classidText.c_str(),
                entry.name.c_str(), entry.description.c_str());
  }
  return 0;
}

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "wmphost: %s\n", message.c_str());
  return code;
}

int RunHost(const HostOptions& options) {
  if (options.list) return ListEffects();

  SongScript script;
  if (!options.script.empty()) {
    std::string text, error;
    if (!ReadTextFile(options.script, text)) return Fail(2, "cannot read " + options.script);
    if (!ParseSongScript(text, FolderOf(FullPath(options.script)), script, error)) {
      return Fail(2, options.script + ": " + error);
    }
  }

  const std::vector<EffectEntry> catalog = ReadEffectsCatalog();
  const EffectEntry* chosen = ChooseEffect(catalog, options.effect);
  if (!chosen) {
    return Fail(2, options.effect.empty() ? "no visualization is registered"
                                          : "no visualization " + options.effect);
  }
  EffectsSession session;
  std::string error;
  if (!session.Open(chosen->classid, error)) return Fail(1, chosen->key + ": " + error);

  ScriptedPlayer scripted(script);
  WinePlayer wine;
  const bool useScript = !options.script.empty();
  if (!useScript && !wine.Start(FullPath(options.play), error)) return Fail(1, error);

  int code;
  {
    HostWindow host(options, session, useScript ? &scripted : nullptr,
                    useScript ? nullptr : &wine);
    if (!host.Open(error)) {
      session.Close();
      wine.Stop();
      return Fail(1, error);
    }
    code = host.Run();
  }
  session.Close();
  wine.Stop();
  return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args(__argv + 1, __argv + __argc);
  HostOptions options;
  std::string error;
  if (!ParseHostOptions(args, options, error)) {
    std::fprintf(stderr, "wmphost: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return Fail(1, "OLE could not be initialised");
  const int code = RunHost(options);
  OleUninitialize();
  return code;
}
