// Any bytes given to the MIDI lyrics reader (RIFF unwrapping, then the
// parser) are either loaded, as a model that keeps its invariants, or
// rejected with the model left empty; nothing is read outside the buffer.
#include <cstdint>
#include <cstdlib>

#include "lyrics/midi_parser.h"
#include "lyrics/riff_midi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const unsigned char* midi = nullptr;
  size_t midiSize = 0;
  if (FindRiffMidiData(data, size, midi, midiSize) == RiffMidiResult::NoData) return 0;
  if (midiSize > size || (midiSize && (midi < data || midi + midiSize > data + size))) {
    std::abort();
  }
  // Alternate the code page by the last byte, to reach the double-byte paths.
  LeadBytePredicate isLead = (size && (data[size - 1] & 1)) ? Cp932LeadByte : NoLeadBytes;
  TimedLyrics lyrics;
  LoadStatus status = ParseMidiLyrics(midi, midiSize, isLead, lyrics);
  if (status != LoadStatus::Loaded) {
    if (!IsTimedLyricsEmpty(lyrics)) std::abort();
    return 0;
  }
  if (lyrics.syncpointCount < 1 || lyrics.displayLineCount < 1) std::abort();
  if (lyrics.textLineCount != lyrics.displayLineCount) std::abort();
  // The lines lie one after another in the buffer, each ending in a space.
  const char* lineStart = lyrics.textBuffer;
  for (int32_t d = 0; d < lyrics.displayLineCount; ++d) {
    const DisplayLine& line = lyrics.displayLines[d];
    if (line.textLine < 0 || line.textLine >= lyrics.textLineCount) std::abort();
    if (line.firstSyncpoint < 0 || line.firstSyncpoint >= lyrics.syncpointCount) std::abort();
    if (lyrics.syncpoints[line.firstSyncpoint].startPos != 0) std::abort();
    const TextLine& text = lyrics.textLines[line.textLine];
    if (text.text != lineStart || text.length < 2) std::abort();
    if (text.length > static_cast<int32_t>(kMaxMidiLineLength)) std::abort();
    if (text.text[text.length - 1] != ' ') std::abort();
    lineStart += text.length;
  }
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    if (piece.line >= lyrics.displayLineCount) std::abort();
    if (piece.endByte == kToLineEnd || piece.endPos != piece.endByte) std::abort();
    if (piece.startPos >= piece.endByte) std::abort();
    if (piece.endTime != static_cast<int64_t>(piece.startTime) + 1) std::abort();
    const TextLine& text = lyrics.textLines[lyrics.displayLines[piece.line].textLine];
    if (piece.endByte > text.length) std::abort();
    if (i > 0) {
      const Syncpoint& previous = lyrics.syncpoints[i - 1];
      if (piece.startTime < previous.startTime) std::abort();
      if (piece.line == previous.line) {
        if (piece.startPos != previous.endByte) std::abort();
      } else if (piece.line != previous.line + 1 ||
                 previous.endByte != lyrics.textLines[previous.line].length ||
                 lyrics.displayLines[piece.line].firstSyncpoint != i) {
        std::abort();
      }
    }
    // Touch every byte of the line: ASan reports any that lies outside.
    volatile char sink = 0;
    for (int32_t b = 0; b < text.length; ++b) sink = sink ^ text.text[b];
  }
  const Syncpoint& last = lyrics.syncpoints[lyrics.syncpointCount - 1];
  if (last.line != lyrics.displayLineCount - 1 ||
      last.endByte != lyrics.textLines[last.line].length) {
    std::abort();
  }
  return 0;
}
