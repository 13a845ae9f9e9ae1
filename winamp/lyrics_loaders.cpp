#include "winamp/lyrics_loaders.h"

#include "lyrics/km_file.h"
#include "lyrics/win32/load_status_win32.h"

bool LoadKmFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToBool(ReadKmFile(path, lyrics));
}
