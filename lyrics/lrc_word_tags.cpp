#include "lyrics/lrc_word_tags.h"

#include <cstring>

#include "lyrics/lrc_tag.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool OnlyBlanks(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (!IsBlank(text[i])) return false;
  }
  return true;
}

// The ">" that closes the word tag opened at line[open], and whether a ":"
// stands before it. False when the line ends or another "<" comes first
// (so text such as "<3" before a tag never swallows it).
bool FindTagEnd(const char* line, size_t open, size_t length, LeadBytePredicate isLead,
                size_t& close, bool& hasColon) {
  hasColon = false;
  for (size_t pos = open + 1; pos < length;) {
    if (line[pos] == '>') {
      close = pos;
      return true;
    }
    if (line[pos] == '<') return false;
    if (line[pos] == ':') hasColon = true;
    pos += CharacterSize(line, pos, length, isLead);
  }
  return false;
}

}  // namespace

size_t CutLrcWordTags(char* line, size_t length, LeadBytePredicate isLead, LrcWordPiece* words,
                      size_t& count) {
  count = 0;
  size_t write = 0;
  for (size_t read = 0; read < length;) {
    size_t close = 0;
    bool hasColon = false;
    if (line[read] == '<' && FindTagEnd(line, read, length, isLead, close, hasColon) && hasColon) {
      int32_t time = 0;
      if (ParseLrcTimeText(line + read + 1, close - read - 1, time)) {
        words[count++] = LrcWordPiece{write, time, 0, false};
      }
      read = close + 1;
      continue;
    }
    const size_t size = CharacterSize(line, read, length, isLead);
    std::memmove(line + write, line + read, size);
    write += size;
    read += size;
  }
  return write;
}

size_t MakeLrcWordPieces(const char* line, size_t length, LrcWordPiece* words, size_t count) {
  // Keep only tags later than the one kept before them.
  size_t taken = 0;
  for (size_t i = 0; i < count; ++i) {
    if (taken && words[i].startTime <= words[taken - 1].startTime) continue;
    words[taken++] = words[i];
  }
  size_t pieces = 0;
  bool open = false;  // the last piece still waits for its end
  for (size_t i = 0; i < taken; ++i) {
    const LrcWordPiece tag = words[i];
    const size_t wordEnd = i + 1 < taken ? words[i + 1].startByte : length;
    const bool last = i + 1 == taken;
    if (open) {
      words[pieces - 1].endTime = tag.startTime;
      words[pieces - 1].ended = true;
      open = false;
    }
    const bool closing = tag.startByte == wordEnd ||
                         (last && OnlyBlanks(line + tag.startByte, wordEnd - tag.startByte));
    if (closing) continue;
    words[pieces++] = LrcWordPiece{tag.startByte, tag.startTime, 0, false};
    open = true;
  }
  if (pieces) words[0].startByte = 0;
  return pieces;
}
