// The lyrics loaders as the Windows Media Player plug-in calls them:
// S_OK, E_OUTOFMEMORY, or E_FAIL for every other failure.
#pragma once

#include <windows.h>

#include "lyrics/timed_lyrics.h"

HRESULT LoadKmFile(const char* path, TimedLyrics& lyrics);
