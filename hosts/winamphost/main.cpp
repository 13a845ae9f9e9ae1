// winamphost: plays like Winamp 5 towards general-purpose plug-ins.
//   winamphost [--plugins DIR] [--script FILE] [--play FILE] [--at X Y]
// --plugins: the folder whose gen_*.dll are loaded (default: the host's own)
// --script: the timed steps of host_script.h, run from the start
// --play: adds the file to the playlist and plays it through DirectShow
// --at: the main window's screen position (default 300 20)
// Exit code 0; 2 for a bad command line or script; 1 when a step failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hosts/winamphost/host_script.h"
#include "hosts/winamphost/script_runner.h"
#include "hosts/winamphost/winamp_host.h"

namespace {

bool ReadTextFile(const char* path, std::string& text) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return true;
}

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) *slash = '\0';
  return path;
}

int Usage() {
  std::fprintf(stderr,
               "usage: winamphost [--plugins DIR] [--script FILE] [--play FILE] [--at X Y]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string plugins = OwnFolder(), script, play;
  int x = 300, y = 20;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--plugins" && i + 1 < argc) {
      plugins = argv[++i];
    } else if (arg == "--script" && i + 1 < argc) {
      script = argv[++i];
    } else if (arg == "--play" && i + 1 < argc) {
      play = argv[++i];
    } else if (arg == "--at" && i + 2 < argc) {
      x = std::atoi(argv[++i]);
      y = std::atoi(argv[++i]);
    } else {
      return Usage();
    }
  }
  std::vector<ScriptStep> steps;
  if (!script.empty()) {
    std::string text, error;
    if (!ReadTextFile(script.c_str(), text)) {
      std::fprintf(stderr, "winamphost: cannot read %s\n", script.c_str());
      return 2;
    }
    if (!ParseScript(text, steps, error)) {
      std::fprintf(stderr, "winamphost: %s: %s\n", script.c_str(), error.c_str());
      return 2;
    }
  }

  static WinampHost host;
  if (!CreateWinampHost(host, GetModuleHandleA(nullptr), x, y)) return 1;
  if (LoadPluginFolder(host, plugins.c_str()) == 0) {
    std::fprintf(stderr, "winamphost: no plug-in in %s\n", plugins.c_str());
  }
  if (!play.empty()) {
    AddToPlaylist(host, play, -1);
    PlayEntry(host, int(host.playlist.size()) - 1, true);
  }
  if (!steps.empty()) StartScript(host, steps);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return ScriptFailed() ? 1 : 0;
}
