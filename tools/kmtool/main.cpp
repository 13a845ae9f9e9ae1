// kmtool: shows what the plug-ins read from a lyrics file.
//
//   kmtool dump FILE [--host wmp|winamp] [--duration SECONDS]
//       load FILE with the plug-ins' loader for its extension (km, lrc,
//       txt; mid, midi, kar, rmi) and print the model
//   kmtool convert IN OUT [--word-lrc]
//       open IN as the editor opens it (km, lrc, anything else as text) and
//       write OUT as the editor saves it, the type from OUT's extension
//       (.km or .lrc; --word-lrc for LRC with word tags)
//   kmtool find MEDIAPATH [--dir LYRICSDIR] [--host wmp|winamp] [--duration SECONDS]
//       look up the lyrics of a song as the plug-ins do (Windows build)
//   kmtool render FILE --layout N --size WxH --time CS [--time CS ...] --out PREFIX
//       draw the karaoke display at those times (in centiseconds, in that
//       order on one display) with the display settings of the registry,
//       as PREFIX-<time>.bmp; layouts 1 One Line to 5 Seven Lines (Windows build)
//
// --host chooses how plain text is spread over the song: "wmp" (default)
// over --duration seconds (default 0: only the first line), "winamp" over
// --duration seconds or, without it, 180 seconds as for an unknown length.
// Exit codes: 0 success, 1 nothing could be loaded (or converted), 2 wrong
// usage.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lyrics/lyrics_lookup.h"
#include "tools/kmtool/convert_command.h"
#include "tools/kmtool/lyrics_dump.h"
#include "tools/kmtool/lyrics_loading.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "tools/kmtool/render_command.h"
#endif

namespace {

const char kUsage[] =
    "usage: kmtool dump FILE [--host wmp|winamp] [--duration SECONDS]\n"
    "       kmtool convert IN OUT [--word-lrc]\n"
    "       kmtool find MEDIAPATH [--dir LYRICSDIR] [--host wmp|winamp] [--duration SECONDS]\n"
    "       kmtool render FILE --layout N --size WxH --time CS [--time CS ...] --out PREFIX\n"
    "                    [--host wmp|winamp] [--duration SECONDS]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

enum class Command { Dump, Find, Render };

struct Options {
  const char* file = nullptr;
  const char* directory = "";
  HostTiming host;
  int layout = 0;
  int width = 0;
  int height = 0;
  std::vector<int> times;
  const char* outputPrefix = nullptr;
};

bool ParseInt(const char* text, long low, long high, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end || number < low || number > high) return false;
  value = static_cast<int>(number);
  return true;
}

bool ParseSize(const char* text, int& width, int& height) {
  const char* x = std::strchr(text, 'x');
  if (!x) return false;
  const std::string w(text, x);
  return ParseInt(w.c_str(), 1, 8192, width) && ParseInt(x + 1, 1, 8192, height);
}

bool ParseOptions(int argc, char** argv, Command command, Options& options) {
  for (int i = 2; i < argc; ++i) {
    const char* arg = argv[i];
    const bool hasValue = i + 1 < argc;
    const bool render = command == Command::Render;
    if (std::strcmp(arg, "--host") == 0 && hasValue) {
      const char* host = argv[++i];
      if (std::strcmp(host, "winamp") == 0) {
        options.host.winamp = true;
      } else if (std::strcmp(host, "wmp") != 0) {
        return false;
      }
    } else if (std::strcmp(arg, "--duration") == 0 && hasValue) {
      char* end = nullptr;
      options.host.duration = std::strtod(argv[++i], &end);
      if (*end || !std::isfinite(options.host.duration) || options.host.duration < 0) return false;
      options.host.hasDuration = true;
    } else if (command == Command::Find && std::strcmp(arg, "--dir") == 0 && hasValue) {
      options.directory = argv[++i];
    } else if (render && std::strcmp(arg, "--layout") == 0 && hasValue) {
      if (!ParseInt(argv[++i], 1, 5, options.layout)) return false;
    } else if (render && std::strcmp(arg, "--size") == 0 && hasValue) {
      if (!ParseSize(argv[++i], options.width, options.height)) return false;
    } else if (render && std::strcmp(arg, "--time") == 0 && hasValue) {
      int time = 0;
      if (!ParseInt(argv[++i], 0, 2147483647L, time)) return false;
      options.times.push_back(time);
    } else if (render && std::strcmp(arg, "--out") == 0 && hasValue) {
      options.outputPrefix = argv[++i];
    } else if (arg[0] == '-' && arg[1] == '-') {
      return false;
    } else if (!options.file) {
      options.file = arg;
    } else {
      return false;
    }
  }
  if (!options.file) return false;
  if (command == Command::Render) {
    return options.layout && options.width && !options.times.empty() && options.outputPrefix;
  }
  return true;
}

int PrintLyrics(const TimedLyrics& lyrics) {
  const std::string dump = FormatLyricsDump(lyrics);
  std::fwrite(dump.data(), 1, dump.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int Dump(const Options& options) {
  const char* path = options.file;
  TimedLyrics lyrics;
  bool supported = true;
  const LoadStatus status = LoadLyricsByExtension(path, options.host, lyrics, supported);
  if (!supported) {
    std::fprintf(stderr, "kmtool: unsupported file type: %s\n", path);
    return 2;
  }
  if (status != LoadStatus::Loaded) {
    std::fprintf(stderr, "kmtool: cannot load %s\n", path);
    return 1;
  }
  return PrintLyrics(lyrics);
}

#ifdef _WIN32
struct Tried {
  std::string last;
};

void PrintTry(void* context, const char* path) {
  static_cast<Tried*>(context)->last = path;
  std::printf("try %s\n", path);
}
#endif

int Find(const Options& options) {
#ifdef _WIN32
  TimedLyrics lyrics;
  Tried tried;
  const LoadStatus status =
      FindLyrics(options.file, options.directory, TextTimingFor(options.host), lyrics, PrintTry,
                 &tried);
  if (status != LoadStatus::Loaded) {
    std::printf("none\n");
    std::fflush(stdout);
    return 1;
  }
  std::printf("found %s\n", tried.last.c_str());
  return PrintLyrics(lyrics);
#else
  (void)options;
  std::fputs("kmtool: find looks up Windows paths; use the Windows build (kmtool.exe)\n", stderr);
  return 2;
#endif
}

// convert IN OUT [--word-lrc], the option anywhere after the command.
int Convert(int argc, char** argv) {
  ConvertRequest request;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--word-lrc") == 0) {
      request.wordLrc = true;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return Usage();
    } else if (!request.input) {
      request.input = argv[i];
    } else if (!request.output) {
      request.output = argv[i];
    } else {
      return Usage();
    }
  }
  if (!request.output) return Usage();
  return RunConvert(request);
}

int Render(const Options& options) {
#ifdef _WIN32
  RenderRequest request;
  request.file = options.file;
  request.host = options.host;
  LayoutFromWinampNumber(options.layout, request.layout);
  request.width = options.width;
  request.height = options.height;
  request.times = options.times;
  request.outputPrefix = options.outputPrefix;
  return RunRender(request);
#else
  (void)options;
  std::fputs("kmtool: render draws with Windows GDI; use the Windows build (kmtool.exe)\n", stderr);
  return 2;
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every platform: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc < 2) return Usage();
  Options options;
  if (std::strcmp(argv[1], "dump") == 0) {
    return ParseOptions(argc, argv, Command::Dump, options) ? Dump(options) : Usage();
  }
  if (std::strcmp(argv[1], "convert") == 0) return Convert(argc, argv);
  if (std::strcmp(argv[1], "find") == 0) {
    return ParseOptions(argc, argv, Command::Find, options) ? Find(options) : Usage();
  }
  if (std::strcmp(argv[1], "render") == 0) {
    return ParseOptions(argc, argv, Command::Render, options) ? Render(options) : Usage();
  }
  return Usage();
}
