#include "lyrics/text_file.h"

#include <utility>

#include "lyrics/read_whole_file.h"
#include "lyrics/text_encoding.h"

LoadStatus ReadTextFile(const char* path, const PlainTextTiming& timing, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  OwnedBuffer contents;
  LoadStatus status = ReadWholeFile(path, contents);
  if (status == LoadStatus::Loaded) status = ConvertUnicodeTextToAnsi(contents);
  if (status != LoadStatus::Loaded) return status;
  return ParsePlainText(std::move(contents), SystemLeadByte, timing, lyrics);
}
