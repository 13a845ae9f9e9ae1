// Any bytes given to the LRC parser are either loaded, as a model that
// keeps its invariants (word-timed lines included), or rejected with the
// model left empty.
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
  if (lyrics.displayLineCount < 1 || lyrics.syncpointCount < lyrics.displayLineCount) std::abort();
  if (lyrics.textLineCount < 1 || lyrics.displayLineCount > int32_t{kMaxLrcTimeTags}) std::abort();
  if (size_t(lyrics.syncpointCount) > kMaxLrcPieces) std::abort();
  // Lines that lost to an earlier one at the same time are kept too.
  for (int32_t t = 0; t < lyrics.textLineCount; ++t) {
    const TextLine& text = lyrics.textLines[t];
    if (text.length < 1 || text.length > kMaxLrcLineLength) std::abort();
    if (text.text < lyrics.textBuffer || text.text[text.length - 1] != ' ') std::abort();
    // Touch every byte of the line: ASan reports any that lies outside.
    volatile char sink = 0;
    for (int32_t b = 0; b < text.length; ++b) sink = sink ^ text.text[b];
  }
  for (int32_t i = 0; i < lyrics.displayLineCount; ++i) {
    const DisplayLine& display = lyrics.displayLines[i];
    if (display.textLine < 0 || display.textLine >= lyrics.textLineCount) std::abort();
    const int32_t first = display.firstSyncpoint;
    const int32_t last =
        i + 1 < lyrics.displayLineCount ? lyrics.displayLines[i + 1].firstSyncpoint : lyrics.syncpointCount;
    if (first >= last || (i == 0 && first != 0)) std::abort();
    // Lines sung in signed order of their first piece, no start time repeated.
    if (i && lyrics.syncpoints[first].startTime <=
                 lyrics.syncpoints[lyrics.displayLines[i - 1].firstSyncpoint].startTime) {
      std::abort();
    }
    // The pieces cover the line from its start to its end, in sung order.
    const TextLine& text = lyrics.textLines[display.textLine];
    int32_t byte = 0;
    for (int32_t k = first; k < last; ++k) {
      const Syncpoint& piece = lyrics.syncpoints[k];
      if (piece.line != i || piece.startPos != byte || piece.endPos != piece.endByte) std::abort();
      if (piece.endByte <= piece.startPos || piece.startTime >= piece.endTime) std::abort();
      if (k > first && piece.startTime < lyrics.syncpoints[k - 1].endTime) std::abort();
      byte = piece.endByte;
    }
    if (byte != text.length) std::abort();
  }
  return 0;
}
