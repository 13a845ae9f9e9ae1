// Any bytes given to the LRC parser are either loaded, as a model that
// keeps its invariants, or rejected with the model left empty.
#include <cstdint>
#include <cstdlib>

#include "lyrics/lrc_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OwnedBuffer file;
  if (!file.Assign(data, size)) return 0;
  // Alternate the code page by the first byte, to reach the double-byte paths.
  LeadBytePredicate isLead = (size && (data[0] & 1)) ? Cp932LeadByte : NoLeadBytes;
  TimedLyrics lyrics;
  LoadStatus status = ParseLrcFile(static_cast<OwnedBuffer&&>(file), isLead, lyrics);
  if (status != LoadStatus::Loaded) {
    if (!IsTimedLyricsEmpty(lyrics)) std::abort();
    return 0;
  }
  if (lyrics.syncpointCount < 1 || lyrics.displayLineCount != lyrics.syncpointCount) std::abort();
  if (lyrics.textLineCount < 1 || lyrics.syncpointCount > int32_t{kMaxLrcTimeTags}) std::abort();
  // Lines that lost to an earlier one at the same time are kept too.
  for (int32_t t = 0; t < lyrics.textLineCount; ++t) {
    const TextLine& text = lyrics.textLines[t];
    if (text.length < 1 || text.length > kMaxLrcLineLength) std::abort();
    if (text.text < lyrics.textBuffer || text.text[text.length - 1] != ' ') std::abort();
    // Touch every byte of the line: ASan reports any that lies outside.
    volatile char sink = 0;
    for (int32_t b = 0; b < text.length; ++b) sink = sink ^ text.text[b];
  }
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const DisplayLine& display = lyrics.displayLines[i];
    if (display.textLine < 0 || display.textLine >= lyrics.textLineCount) std::abort();
    if (display.firstSyncpoint != i) std::abort();
    const Syncpoint& piece = lyrics.syncpoints[i];
    if (piece.line != i || piece.startPos != 0) std::abort();
    // Sung in signed order, no start time repeated, every span one centisecond.
    if (i && piece.startTime <= lyrics.syncpoints[i - 1].startTime) std::abort();
    if (piece.startTime == INT32_MAX || piece.endTime != piece.startTime + 1) std::abort();
    const TextLine& text = lyrics.textLines[display.textLine];
    if (piece.endByte != text.length || piece.endPos != text.length) std::abort();
  }
  return 0;
}
