// Any bytes given to the ".km" parser are either loaded, as a model that
// keeps its invariants, or rejected with the model left empty.
#include <cstdint>
#include <cstdlib>

#include "lyrics/km_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OwnedBuffer file;
  if (!file.Assign(data, size)) return 0;
  // Alternate the code page by the first byte, to reach the double-byte paths.
  LeadBytePredicate isLead = (size && (data[0] & 1)) ? Cp932LeadByte : NoLeadBytes;
  TimedLyrics lyrics;
  LoadStatus status = ParseKmFile(static_cast<OwnedBuffer&&>(file), isLead, lyrics);
  if (status != LoadStatus::Loaded) {
    if (!IsTimedLyricsEmpty(lyrics)) std::abort();
    return 0;
  }
  if (lyrics.syncpointCount < 1 || lyrics.displayLineCount < 1) std::abort();
  for (int32_t d = 0; d < lyrics.displayLineCount; ++d) {
    const DisplayLine& line = lyrics.displayLines[d];
    if (line.textLine < 0 || line.textLine >= lyrics.textLineCount) std::abort();
    if (lyrics.syncpoints[line.firstSyncpoint].startPos != 0) std::abort();
  }
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    if (piece.line >= lyrics.displayLineCount) std::abort();
    if (piece.startTime >= piece.endTime) std::abort();
    if (i && piece.startTime < lyrics.syncpoints[i - 1].endTime) std::abort();
    const TextLine& text = lyrics.textLines[lyrics.displayLines[piece.line].textLine];
    if (piece.endByte != kToLineEnd && piece.endByte >= text.length) std::abort();
    // Touch every byte of the line: ASan reports any that lies outside.
    volatile char sink = 0;
    for (int32_t b = 0; b < text.length; ++b) sink = sink ^ text.text[b];
  }
  return 0;
}
