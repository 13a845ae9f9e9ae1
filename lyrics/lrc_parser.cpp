#include "lyrics/lrc_parser.h"

LoadStatus ParseLrcFile(OwnedBuffer, LeadBytePredicate, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  return LoadStatus::Invalid;
}
