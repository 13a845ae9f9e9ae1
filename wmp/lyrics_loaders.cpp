#include "wmp/lyrics_loaders.h"

#include "lyrics/km_file.h"
#include "lyrics/win32/load_status_win32.h"

HRESULT LoadKmFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToHresult(ReadKmFile(path, lyrics));
}
