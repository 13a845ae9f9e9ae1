// LoadKmFile of the plug-ins, before its HRESULT or true/false edge.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/timed_lyrics.h"

// Reads the ".km" file at `path` into `lyrics`, with the system's lead bytes.
LoadStatus ReadKmFile(const char* path, TimedLyrics& lyrics);
