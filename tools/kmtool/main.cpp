// kmtool: shows what the plug-ins read from a lyrics file.
//
//   kmtool dump FILE    load FILE with the plug-ins' loader for its
//                       extension and print the model
//
// Exit codes: 0 success, 1 the file could not be loaded, 2 wrong usage.
#include <cstdio>
#include <cstring>
#include <string>

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/midi_file.h"
#include "tools/kmtool/lyrics_dump.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] = "usage: kmtool dump FILE\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
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

int Dump(const char* path) {
  TimedLyrics lyrics;
  LoadStatus status;
  const std::string extension = LowerExtension(path);
  if (extension == "km") {
    status = ReadKmFile(path, lyrics);
  } else if (extension == "lrc") {
    status = ReadLrcFile(path, lyrics);
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
  const std::string dump = FormatLyricsDump(lyrics);
  std::fwrite(dump.data(), 1, dump.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every platform: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc == 3 && std::strcmp(argv[1], "dump") == 0) return Dump(argv[2]);
  return Usage();
}
