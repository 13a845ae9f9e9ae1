// Any bytes given to the MIDI lyrics parser are loaded or rejected, never
// read outside their buffer.
#include <cstdint>
#include <cstdlib>

#include "lyrics/midi_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TimedLyrics lyrics;
  LoadStatus status = ParseMidiLyrics(data, size, Cp932LeadByte, lyrics);
  if (status != LoadStatus::Loaded && !IsTimedLyricsEmpty(lyrics)) std::abort();
  return 0;
}
