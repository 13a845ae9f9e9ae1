#include "lyrics/lrc_file.h"

#include <utility>

#include "lyrics/lrc_parser.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/text_encoding.h"

LoadStatus ReadLrcFile(const char* path, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  OwnedBuffer contents;
  LoadStatus status = ReadWholeFile(path, contents);
  if (status == LoadStatus::Loaded) status = ConvertUnicodeTextToAnsi(contents);
  if (status != LoadStatus::Loaded) return status;
  return ParseLrcFile(std::move(contents), SystemLeadByte, lyrics);
}
