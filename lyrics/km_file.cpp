#include "lyrics/km_file.h"

#include <utility>

#include "lyrics/km_parser.h"
#include "lyrics/read_whole_file.h"

LoadStatus ReadKmFile(const char* path, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  OwnedBuffer contents;
  LoadStatus status = ReadWholeFile(path, contents);
  if (status != LoadStatus::Loaded) return status;
  return ParseKmFile(std::move(contents), SystemLeadByte, lyrics);
}
