#include "tools/kmtool/lyrics_loading.h"

#include <cstring>
#include <string>

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/midi_file.h"
#include "lyrics/text_file.h"

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

PlainTextTiming TextTimingFor(const HostTiming& host) {
  if (!host.winamp) return MediaPlayerTextTiming(host.duration);
  if (!host.hasDuration) return WinampTextTiming(-1);
  return WinampTextTiming(host.duration >= 2147483647.0 ? 2147483647
                                                        : static_cast<int>(host.duration));
}

LoadStatus LoadLyricsByExtension(const char* path, const HostTiming& host, TimedLyrics& lyrics,
                                 bool& supported) {
  supported = true;
  const std::string extension = LowerExtension(path);
  if (extension == "km") return ReadKmFile(path, lyrics);
  if (extension == "lrc") return ReadLrcFile(path, lyrics);
  if (extension == "txt") return ReadTextFile(path, TextTimingFor(host), lyrics);
  if (extension == "mid" || extension == "midi" || extension == "kar" || extension == "rmi") {
    return ReadMidiFile(path, lyrics);
  }
  supported = false;
  return LoadStatus::Invalid;
}
