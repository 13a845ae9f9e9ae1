// kmtool: shows what the plug-ins read from a lyrics file.
//
//   kmtool dump FILE [--host wmp|winamp] [--duration SECONDS]
//       load FILE with the plug-ins' loader for its extension (km, lrc,
//       txt; mid, midi, kar, rmi) and print the model
//   kmtool find MEDIAPATH [--dir LYRICSDIR] [--host wmp|winamp] [--duration SECONDS]
//       look up the lyrics of a song as the plug-ins do (Windows build)
//
// --host chooses how plain text is spread over the song: "wmp" (default)
// over --duration seconds (default 0: only the first line), "winamp" over
// --duration seconds or, without it, 180 seconds as for an unknown length.
// Exit codes: 0 success, 1 nothing could be loaded, 2 wrong usage.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/lyrics_lookup.h"
#include "lyrics/midi_file.h"
#include "lyrics/text_file.h"
#include "tools/kmtool/lyrics_dump.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "usage: kmtool dump FILE [--host wmp|winamp] [--duration SECONDS]\n"
    "       kmtool find MEDIAPATH [--dir LYRICSDIR] [--host wmp|winamp] [--duration SECONDS]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

struct Options {
  const char* file = nullptr;
  const char* directory = "";
  bool winamp = false;
  bool hasDuration = false;
  double duration = 0;
};

bool ParseOptions(int argc, char** argv, bool allowDirectory, Options& options) {
  for (int i = 2; i < argc; ++i) {
    const char* arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(arg, "--host") == 0 && hasValue) {
      const char* host = argv[++i];
      if (std::strcmp(host, "winamp") == 0) {
        options.winamp = true;
      } else if (std::strcmp(host, "wmp") != 0) {
        return false;
      }
    } else if (std::strcmp(arg, "--duration") == 0 && hasValue) {
      char* end = nullptr;
      options.duration = std::strtod(argv[++i], &end);
      if (*end || !std::isfinite(options.duration) || options.duration < 0) return false;
      options.hasDuration = true;
    } else if (allowDirectory && std::strcmp(arg, "--dir") == 0 && hasValue) {
      options.directory = argv[++i];
    } else if (arg[0] == '-' && arg[1] == '-') {
      return false;
    } else if (!options.file) {
      options.file = arg;
    } else {
      return false;
    }
  }
  return options.file != nullptr;
}

PlainTextTiming TextTiming(const Options& options) {
  if (!options.winamp) return MediaPlayerTextTiming(options.duration);
  if (!options.hasDuration) return WinampTextTiming(-1);
  return WinampTextTiming(options.duration >= 2147483647.0 ? 2147483647
                                                           : static_cast<int>(options.duration));
}

// The extension of `path` in lower case, without the dot.
std::string LowerExtension(const char* path) {
  const char* dot = std::strrchr(path, '.');
  const char* slash = std::strrchr(path, '/');
  const char* backslash = std::strrchr(path, '\\');
  if (!dot || (slash && slash > dot) || (backslash && backslash > dot)) return std::string();
  std::string extension(dot + 1);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

int PrintLyrics(const TimedLyrics& lyrics) {
  const std::string dump = FormatLyricsDump(lyrics);
  std::fwrite(dump.data(), 1, dump.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int Dump(const Options& options) {
  const char* path = options.file;
  const std::string extension = LowerExtension(path);
  TimedLyrics lyrics;
  LoadStatus status;
  if (extension == "km") {
    status = ReadKmFile(path, lyrics);
  } else if (extension == "lrc") {
    status = ReadLrcFile(path, lyrics);
  } else if (extension == "txt") {
    status = ReadTextFile(path, TextTiming(options), lyrics);
  } else if (extension == "mid" || extension == "midi" || extension == "kar" ||
             extension == "rmi") {
    status = ReadMidiFile(path, lyrics);
  } else {
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
      FindLyrics(options.file, options.directory, TextTiming(options), lyrics, PrintTry, &tried);
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

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every platform: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc < 2) return Usage();
  Options options;
  if (std::strcmp(argv[1], "dump") == 0) {
    return ParseOptions(argc, argv, false, options) ? Dump(options) : Usage();
  }
  if (std::strcmp(argv[1], "find") == 0) {
    return ParseOptions(argc, argv, true, options) ? Find(options) : Usage();
  }
  return Usage();
}
