// Any bytes given to the LRC parser are loaded or rejected, never read
// outside their buffer.
#include <cstdint>
#include <cstdlib>

#include "lyrics/lrc_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OwnedBuffer file;
  if (!file.Assign(data, size)) return 0;
  TimedLyrics lyrics;
  LoadStatus status = ParseLrcFile(static_cast<OwnedBuffer&&>(file), Cp932LeadByte, lyrics);
  if (status != LoadStatus::Loaded && !IsTimedLyricsEmpty(lyrics)) std::abort();
  return 0;
}
