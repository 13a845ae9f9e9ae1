// The lyrics loaders as the Winamp plug-in calls them: true on success.
#pragma once

#include "lyrics/timed_lyrics.h"

bool LoadKmFile(const char* path, TimedLyrics& lyrics);
