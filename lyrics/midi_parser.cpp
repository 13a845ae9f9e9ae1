#include "lyrics/midi_parser.h"

LoadStatus ParseMidiLyrics(const unsigned char*, size_t, LeadBytePredicate, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  return LoadStatus::Invalid;
}
