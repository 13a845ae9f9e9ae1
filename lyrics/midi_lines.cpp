#include "lyrics/midi_lines.h"

#include <cstring>

#include "lyrics/midi_parser.h"

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n' || c == '\0'; }

bool IsLineMark(char c) { return c == '\\' || c == '/'; }

// Start of the last character of s[0, n), n > 0.
size_t LastCharacter(const char* s, size_t n, LeadBytePredicate isLead) {
  size_t last = 0;
  for (size_t i = 0; i < n; i += CharacterSize(s, i, n, isLead)) last = i;
  return last;
}

// The longest prefix of s[0, n) of at most `room` bytes that ends between
// two characters.
size_t CutToCharacters(const char* s, size_t n, size_t room, LeadBytePredicate isLead) {
  size_t cut = 0;
  while (cut < n) {
    const size_t size = CharacterSize(s, cut, n, isLead);
    if (cut + size > room) break;
    cut += size;
  }
  return cut;
}

}  // namespace

void MidiLineWriter::AddEvent(const unsigned char* data, size_t length, int32_t time) {
  if (length == 0) return;
  // The text is worked on where it will be kept: at or after the write
  // position, inside the room this event's data takes in the buffer.
  char* s = text_ + write_;
  size_t n = 1;
  s[0] = static_cast<char>(data[0]);
  while (n < length && data[n] != 0) {
    s[n] = static_cast<char>(data[n]);
    ++n;
  }

  if (s[0] == '\n' || s[0] == '\0' || IsLineMark(s[0])) s[0] = '\r';
  const size_t last = LastCharacter(s, n, isLead_);
  if (last > 0 && IsLineMark(s[last])) s[last] = '\r';

  // Now [CR] body [CR]: breaks inside the body are removed, breaks at its
  // end become the one CR that ends the line.
  const bool startsLine = s[0] == '\r';
  const size_t bodyStart = startsLine ? 1 : 0;
  size_t out = bodyStart;
  bool endsLine = false;
  for (size_t i = bodyStart; i < n;) {
    if (IsBreak(s[i])) {
      while (i < n && IsBreak(s[i])) ++i;
      if (i == n) endsLine = true;
      continue;
    }
    const size_t size = CharacterSize(s, i, n, isLead_);
    std::memmove(s + out, s + i, size);
    out += size;
    i += size;
  }

  // A leading CR ends the open line: it becomes the line's terminator, at
  // the write position. At the start of a line it marks an empty line,
  // which is not kept.
  if (startsLine) CloseLine();
  const size_t bodyLength = out - bodyStart;
  if (bodyLength == 0) return;
  AddSyllable(s + bodyStart, bodyLength, time);
  if (endsLine) CloseLine();
}

void MidiLineWriter::AddSyllable(const char* body, size_t length, int32_t time) {
  if (lineCount_ >= kMaxMidiLines || lineFull_) return;
  // Room for the syllable and the line's terminator.
  const size_t room = kMaxMidiLineLength - 1 - column_;
  size_t kept = length;
  if (kept > room) {
    kept = CutToCharacters(body, length, room, isLead_);
    lineFull_ = true;
    if (kept == 0) return;
  }
  std::memmove(text_ + write_, body, kept);
  Syncpoint& piece = syncpoints_[syncpointCount_++];
  piece.line = static_cast<uint16_t>(lineCount_);
  piece.startPos = static_cast<uint16_t>(column_);
  piece.endByte = static_cast<uint16_t>(column_ + kept);
  piece.endPos = piece.endByte;
  piece.startTime = time;
  piece.endTime = time + 1;
  column_ += kept;
  write_ += kept;
  lineOpen_ = true;
}

void MidiLineWriter::CloseLine() {
  if (!lineOpen_) return;
  text_[write_++] = '\0';
  Syncpoint& last = syncpoints_[syncpointCount_ - 1];
  ++last.endByte;
  ++last.endPos;
  ++lineCount_;
  column_ = 0;
  lineOpen_ = false;
  lineFull_ = false;
}
