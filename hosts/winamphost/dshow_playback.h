// A real playback of a file through DirectShow: Winamp's output time.
#pragma once

#include <cstdint>

struct DirectShowPlayback;

// Builds the graph for `path` and starts it; null when the file cannot be
// played.
DirectShowPlayback* StartDirectShowPlayback(const char* path);
void StopDirectShowPlayback(DirectShowPlayback* playback);

int DirectShowStatus(DirectShowPlayback* playback);          // 1, 3 or 0
int32_t DirectShowPosition(DirectShowPlayback* playback);    // ms
int32_t DirectShowLength(DirectShowPlayback* playback);      // s, -1 unknown
void DirectShowSeek(DirectShowPlayback* playback, int32_t ms);
void DirectShowPause(DirectShowPlayback* playback, bool pause);
