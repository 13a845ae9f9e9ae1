#include "lyrics/lrc_word_tags.h"

#include <cstdlib>
#include <cstring>

#include "lyrics/lrc_tag.h"
#include "lyrics/owned_buffer.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool OnlyBlanks(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (!IsBlank(text[i])) return false;
  }
  return true;
}

// A "<" kept in the cut line that no ">" has followed yet, and whether a
// ":" was kept after it (before the next "<").
struct OpenBracket {
  size_t at;
  bool colon;
};

}  // namespace

bool CutLrcWordTags(char* line, size_t& length, LeadBytePredicate isLead, LrcWordPiece* words,
                    size_t& count) {
  count = 0;
  size_t brackets = 0;
  for (size_t i = 0; i < length; ++i) brackets += line[i] == '<';
  if (brackets == 0) return true;
  OpenBracket* open = AllocateArray<OpenBracket>(brackets);
  if (!open) return false;
  size_t depth = 0;
  size_t write = 0;
  for (size_t read = 0; read < length;) {
    const size_t size = CharacterSize(line, read, length, isLead);
    const char c = line[read];
    std::memmove(line + write, line + read, size);
    read += size;
    write += size;
    if (size != 1) continue;
    if (c == '<') {
      open[depth++] = OpenBracket{write - 1, false};
    } else if (c == ':' && depth) {
      open[depth - 1].colon = true;
    } else if (c == '>' && depth) {
      const OpenBracket tag = open[--depth];
      // "<" and ">" with no ":" between them are text, and so is every "<"
      // before them.
      if (!tag.colon) {
        depth = 0;
        continue;
      }
      int32_t time = 0;
      const bool timed = ParseLrcTimeText(line + tag.at + 1, write - tag.at - 2, time);
      // Times of tags inside a tag cut out go with it.
      while (count && words[count - 1].startByte > tag.at) --count;
      write = tag.at;
      if (timed) words[count++] = LrcWordPiece{write, time, 0, false};
    }
  }
  std::free(open);
  length = write;
  return true;
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
