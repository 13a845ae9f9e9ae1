// How kmtool loads a lyrics file: with the plug-ins' loader for its
// extension, plain text spread as the chosen host spreads it.
#pragma once

#include <string>

#include "lyrics/load_status.h"
#include "lyrics/text_parser.h"
#include "lyrics/timed_lyrics.h"

// The extension of `path` in lower case, without the dot ("" for none).
std::string LowerExtension(const char* path);

struct HostTiming {
  bool winamp = false;
  bool hasDuration = false;
  double duration = 0;  // seconds
};

PlainTextTiming TextTimingFor(const HostTiming& host);

// False in `supported` for an extension no loader reads.
LoadStatus LoadLyricsByExtension(const char* path, const HostTiming& host, TimedLyrics& lyrics,
                                 bool& supported);
