// LoadLrcFile of the plug-ins, before its HRESULT or true/false edge.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/timed_lyrics.h"

LoadStatus ReadLrcFile(const char* path, TimedLyrics& lyrics);
