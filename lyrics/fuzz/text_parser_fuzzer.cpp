// Any bytes given to the plain-text parser are loaded into a model that
// keeps its invariants, or rejected; never read outside their buffer.
#include <cstdint>
#include <cstdlib>

#include "lyrics/text_encoding.h"
#include "lyrics/text_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The UTF-8 test that picks the conversion of unmarked lyrics reads only
  // the file, and says yes only for text beyond ASCII.
  if (IsMultiByteUtf8(reinterpret_cast<const char*>(data), size)) {
    bool beyondAscii = false;
    for (size_t i = 0; i < size; ++i) beyondAscii = beyondAscii || data[i] >= 0x80;
    if (!beyondAscii) std::abort();
  }
  OwnedBuffer file;
  if (!file.Assign(data, size)) return 0;
  const uint8_t choice = size ? data[0] : 0;
  const PlainTextTiming timing =
      (choice & 2) ? WinampTextTiming((choice & 4) ? -1 : 200) : MediaPlayerTextTiming(choice);
  TimedLyrics lyrics;
  const LeadBytePredicate isLead = (choice & 1) ? Cp932LeadByte : NoLeadBytes;
  LoadStatus status = ParsePlainText(static_cast<OwnedBuffer&&>(file), isLead, timing, lyrics);
  if (status != LoadStatus::Loaded) {
    if (!IsTimedLyricsEmpty(lyrics)) std::abort();
    return 0;
  }
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    const TextLine& line = lyrics.textLines[lyrics.displayLines[i].textLine];
    if (piece.line != i || piece.endByte != line.length || line.length < 1) std::abort();
    if (i && piece.startTime < lyrics.syncpoints[i - 1].startTime) std::abort();
    volatile char sink = 0;
    for (int32_t b = 0; b < line.length; ++b) sink = sink ^ line.text[b];
  }
  return 0;
}
