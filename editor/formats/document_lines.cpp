#include "editor/formats/document_lines.h"

#include <cstring>

#include "editor/document/character_code.h"

namespace {

uint32_t HashBytes(const char* bytes, size_t size) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
  }
  return hash;
}

// The distinct texts of the lines, found through an open-addressing table
// of text indices.
class DistinctTexts {
 public:
  explicit DistinctTexts(LyricsLines& lines) : lines_(lines) {}

  bool Prepare(size_t lineCount) {
    size_t size = 16;
    while (size < lineCount * 2) size *= 2;
    if (!slots_.Reserve(size)) return false;
    for (size_t i = 0; i < size; ++i) slots_.Push(-1);
    return true;
  }

  // The index of the text of `size` bytes that was appended to `texts` at
  // `offset`: an earlier equal text (the new copy is then dropped) or a new
  // one.
  bool Find(size_t offset, size_t size, int32_t* index) {
    if (offset > INT32_MAX) return false;
    const char* bytes = lines_.texts.data() + offset;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = HashBytes(bytes, size) & mask;; slot = (slot + 1) & mask) {
      const int32_t candidate = slots_[slot];
      if (candidate < 0) {
        *index = static_cast<int32_t>(lines_.textStart.size());
        slots_[slot] = *index;
        return lines_.textStart.Push(static_cast<int32_t>(offset)) && lines_.lastLine.Push(-1) &&
               lines_.texts.Push('\0');
      }
      const char* known = lines_.texts.data() + lines_.textStart[candidate];
      if (std::strlen(known) == size && std::memcmp(known, bytes, size) == 0) {
        lines_.texts.Truncate(offset);
        *index = candidate;
        return true;
      }
    }
  }

 private:
  LyricsLines& lines_;
  GrowableArray<int32_t> slots_;
};

}  // namespace

bool DocumentSnapshot::Take(const LyricsDocument& document) {
  const int32_t length = document.Length();
  chars_.Clear();
  if (!chars_.Reserve(static_cast<size_t>(length))) return false;
  for (int32_t p = 0; p < length; ++p) chars_.Push(LyricsChar{document.CharacterAt(p), 0});
  // Every syncpoint starts a unit, and a unit that does not start its line
  // starts at a syncpoint: one walk over the units finds them all.
  if (document.HasAnySyncpoint()) {
    for (int32_t unit = 0; unit < document.UnitCount(); ++unit) {
      const int32_t p = document.UnitPosition(unit);
      if (p > 0 && !IsLineBreak(chars_[static_cast<size_t>(p - 1)].code)) chars_[static_cast<size_t>(p)].syncpoint = 1;
    }
  }
  lyricsStart_ = document.LyricsStart();
  header_ = FindHeaderLines(document);
  return true;
}

bool DocumentSnapshot::AppendBytes(int32_t from, int32_t to, ByteBuilder* out) const {
  if (!out->Reserve(2 * static_cast<size_t>(to - from))) return false;
  char bytes[2];
  for (int32_t p = from; p < to; ++p) out->Append(bytes, EncodeCharacter(chars_[p].code, bytes));
  return true;
}

bool CollectLyricsLines(const DocumentSnapshot& snapshot, LyricsLines* lines) {
  const LyricsChar* chars = snapshot.chars();
  const int32_t length = snapshot.length();
  size_t lineCount = 1;
  for (int32_t p = snapshot.lyricsStart(); p < length; ++p) lineCount += IsLineBreak(chars[p].code);
  DistinctTexts distinct(*lines);
  const size_t lyricsLength = static_cast<size_t>(length - snapshot.lyricsStart());
  if (!lines->lines.Reserve(lineCount) || !lines->texts.Reserve(lyricsLength * 2 + 1) ||
      !distinct.Prepare(lineCount)) {
    return false;
  }

  int32_t unit = 0;
  for (int32_t start = snapshot.lyricsStart(); start <= length;) {
    int32_t end = start;
    int32_t units = 0;
    for (; end < length && !IsLineBreak(chars[end].code); ++end) {
      units += end == start || chars[end].syncpoint;
    }
    LyricsLine line{start, end, -1, unit, -1};
    if (end > start) {
      const size_t offset = lines->texts.size();
      if (!snapshot.AppendBytes(start, end, &lines->texts)) return false;
      const size_t bytes = lines->texts.size() - offset;
      if (!distinct.Find(offset, bytes, &line.text)) return false;
      if (static_cast<int64_t>(bytes) > lines->longestText) lines->longestText = static_cast<int64_t>(bytes);
      line.previousSame = lines->lastLine[line.text];
      lines->lastLine[line.text] = static_cast<int32_t>(lines->lines.size());
    }
    lines->lines.Push(line);
    unit += units;
    start = end + 1;
  }
  return true;
}
