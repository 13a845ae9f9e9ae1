#include "lyrics/lrc_parser.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "lyrics/lrc_tag.h"
#include "lyrics/lrc_word_tags.h"

namespace {

bool EndsLine(char c) { return c == '\0' || c == '\r' || c == '\n'; }

// One tag found by ParseLrcTag, with offsets from the start of the buffer.
struct Tag {
  LrcTagKind kind;
  size_t open;
  size_t close;
  int32_t value;
};

bool NextTag(char* text, size_t pos, LeadBytePredicate isLead, Tag& tag) {
  int32_t open = 0, close = 0, value = 0;
  tag.kind = ParseLrcTag(text + pos, isLead, open, close, value);
  if (tag.kind == kLrcNoTag) return false;
  tag.open = pos + static_cast<size_t>(open);
  tag.close = pos + static_cast<size_t>(close);
  tag.value = value;
  return true;
}

// Counting pass: the time tags (up to the limit) and the last offset.
void CountTimeTags(char* text, LeadBytePredicate isLead, size_t& count, int32_t& offset) {
  count = 0;
  offset = 0;
  Tag tag;
  for (size_t pos = 0; NextTag(text, pos, isLead, tag); pos = tag.close + 1) {
    if (tag.kind == kLrcTimeTag && count < kMaxLrcTimeTags) ++count;
    if (tag.kind == kLrcOffsetTag) offset = tag.value;
  }
}

// The line of the group being read. Text that follows a tag cut out of the
// line is moved down over the tag, so the line stays one run of bytes.
struct LineBuilder {
  size_t start = 0;   // first byte of the line
  size_t write = 0;   // where the next kept byte goes
  bool ended = false; // line break or length cap seen; later text is dropped
  bool hasText = false;

  void Begin(size_t at) {
    start = write = at;
    ended = hasText = false;
  }
  // The byte at `write` becomes the line's trailing space. It is never past
  // the place the line was read up to, so no unread byte is overwritten.
  void End(char* text) {
    if (ended) return;
    text[write] = ' ';
    ended = true;
  }
  // Appends text[from, to): up to the first NUL, CR or LF, and no further
  // than the longest line that the 16-bit offsets can hold.
  void Append(char* text, size_t from, size_t to, LeadBytePredicate isLead) {
    if (from < to) hasText = true;
    while (!ended && from < to) {
      if (EndsLine(text[from])) break;
      size_t size = CharacterSize(text, from, to, isLead);
      // A stray lead byte does not hide the end of its line.
      if (size == 2 && EndsLine(text[from + 1])) size = 1;
      if (write - start + size > size_t{kMaxLrcLineLength} - 1) break;
      for (size_t i = 0; i < size; ++i) text[write++] = text[from++];
    }
    if (from < to) End(text);
  }
  // Drops the bytes from `end` on (word tags cut out of the line); a line
  // already ended keeps its trailing space right after its text.
  void Shorten(char* text, size_t end) {
    write = end;
    if (ended) text[write] = ' ';
  }
  int32_t Length() const { return static_cast<int32_t>(write - start + 1); }
};

int32_t ShiftedTime(int64_t time, int64_t offset) {
  // endTime is startTime + 1 and must fit as well.
  const int64_t shifted = time + offset;
  if (shifted > int64_t{INT32_MAX} - 1) return INT32_MAX - 1;
  if (shifted < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(shifted);
}

// One showing of a text line: one per time tag. Its pieces are stored in
// the order read, from `firstPiece` on.
struct LineCopy {
  int32_t startTime;  // of its first piece, offset applied
  int32_t textLine;
  int32_t order;       // the time tag's place in the file
  int32_t lineTime;    // the time tag's own value
  size_t firstPiece;
  size_t pieceCount;
};

// Sung order; of copies with one start time the first read is kept.
bool SungBefore(const LineCopy& a, const LineCopy& b) {
  if (a.startTime != b.startTime) return a.startTime < b.startTime;
  return a.order < b.order;
}

// The pieces of every copy, in the order read; grows as lines close.
struct PieceStore {
  Syncpoint* pieces = nullptr;
  size_t count = 0;
  size_t capacity = 0;

  ~PieceStore() { std::free(pieces); }
  bool Reserve(size_t more) {
    if (count + more <= capacity) return true;
    size_t wanted = capacity ? capacity : 64;
    while (wanted < count + more) wanted *= 2;
    if (wanted > SIZE_MAX / sizeof(Syncpoint)) return false;
    void* grown = std::realloc(pieces, wanted * sizeof(Syncpoint));
    if (!grown) return false;
    pieces = static_cast<Syncpoint*>(grown);
    capacity = wanted;
    return true;
  }
  void Add(uint16_t endByte, uint16_t startPos, int32_t startTime, int32_t endTime) {
    pieces[count++] = Syncpoint{0, endByte, startPos, endByte, startTime, endTime};
  }
};

// The word tags of one line, found when the line closes; the buffer is
// taken on the first line that holds a "<".
struct WordPieces {
  LrcWordPiece* words = nullptr;
  size_t count = 0;

  ~WordPieces() { std::free(words); }
  // Cuts the tags out of the line's `length` bytes at `line`; false when no
  // memory can be had.
  bool Take(char* line, size_t& length, LeadBytePredicate isLead) {
    count = 0;
    if (!std::memchr(line, '<', length)) return true;
    if (!words) words = AllocateArray<LrcWordPiece>(MostLrcWordTags(kMaxLrcLineLength));
    if (!words) return false;
    size_t timed = 0;
    if (!CutLrcWordTags(line, length, isLead, words, timed)) return false;
    count = MakeLrcWordPieces(line, length, words, timed);
    return true;
  }
};

// Frees the tables of a load that did not finish.
struct Tables {
  LineCopy* copies = nullptr;
  TextLine* textLines = nullptr;
  ~Tables() {
    std::free(copies);
    std::free(textLines);
  }
};

}  // namespace

LoadStatus ParseLrcFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  if (!file.AppendZeros(2)) return LoadStatus::OutOfMemory;
  char* text = file.data();
  const size_t size = file.size();

  size_t capacity = 0;
  int32_t offset = 0;
  CountTimeTags(text, isLead, capacity, offset);
  if (capacity == 0) return LoadStatus::Invalid;

  Tables tables;
  tables.copies = AllocateArray<LineCopy>(capacity);
  tables.textLines = AllocateArray<TextLine>(capacity);
  if (!tables.copies || !tables.textLines) return LoadStatus::OutOfMemory;
  LineCopy* copies = tables.copies;
  PieceStore store;
  WordPieces words;

  size_t copyCount = 0;   // time tags read
  size_t groups = 0;      // text lines closed
  size_t groupFirst = 0;  // first copy of the open group
  bool groupOpen = false;
  LineBuilder line;
  // Every time tag of the group shows the line once: as one piece, or as
  // its word pieces shifted by the tag's distance from the group's first.
  auto closeGroup = [&]() -> bool {
    size_t length = line.write - line.start;
    if (!words.Take(text + line.start, length, isLead)) return false;
    line.Shorten(text, line.start + length);
    line.End(text);
    const int32_t lineLength = line.Length();
    tables.textLines[groups] = TextLine{text + line.start, lineLength, 0};
    const size_t perCopy = words.count ? words.count : 1;
    const int64_t firstTime = copies[groupFirst].lineTime;
    for (size_t c = groupFirst; c < copyCount; ++c) {
      LineCopy& copy = copies[c];
      copy.firstPiece = store.count;
      copy.pieceCount = 0;
      // Copies beyond the most pieces kept are not shown.
      if (store.count + perCopy > kMaxLrcPieces) continue;
      if (!store.Reserve(perCopy)) return false;
      copy.pieceCount = perCopy;
      if (!words.count) {
        const int32_t start = ShiftedTime(copy.lineTime, offset);
        store.Add(static_cast<uint16_t>(lineLength), 0, start, start + 1);
        copy.startTime = start;
        continue;
      }
      const int64_t shift = int64_t{offset} + copy.lineTime - firstTime;
      for (size_t w = 0; w < words.count; ++w) {
        const LrcWordPiece& word = words.words[w];
        const size_t endByte =
            w + 1 < words.count ? words.words[w + 1].startByte : static_cast<size_t>(lineLength);
        const int32_t start = ShiftedTime(word.startTime, shift);
        int32_t end = word.ended ? ShiftedTime(word.endTime, shift) : start + 1;
        if (end <= start) end = start + 1;
        store.Add(static_cast<uint16_t>(endByte), static_cast<uint16_t>(word.startByte), start, end);
      }
      copy.startTime = store.pieces[copy.firstPiece].startTime;
    }
    ++groups;
    groupOpen = false;
    return true;
  };

  // The last group's text runs to the end of the file, or to the first time
  // tag past the limit.
  size_t textEnd = size - 1;
  size_t pos = 0;
  Tag tag;
  while (NextTag(text, pos, isLead, tag)) {
    const bool isTime = tag.kind == kLrcTimeTag;
    if (isTime && copyCount == capacity) {
      textEnd = tag.open;
      break;
    }
    // Read before any byte is moved: writes stay below the search position.
    const bool atLineStart =
        tag.open > 0 && (text[tag.open - 1] == '\r' || text[tag.open - 1] == '\n');
    const size_t segment = pos;  // the text between the previous tag and this one
    pos = tag.close + 1;

    if (groupOpen && (line.hasText || tag.open > segment)) {
      line.Append(text, segment, tag.open, isLead);
      // Any other tag within the line is cut out and the line goes on.
      if (!isTime && !atLineStart) continue;
      if (!closeGroup()) return LoadStatus::OutOfMemory;
    }
    // Time tags with nothing between them share one line; other tags
    // directly after a time tag, or outside any group, are skipped.
    if (isTime) {
      if (!groupOpen) groupFirst = copyCount;
      groupOpen = true;
      copies[copyCount] = LineCopy{0, static_cast<int32_t>(groups), static_cast<int32_t>(copyCount),
                                   tag.value, 0, 0};
      ++copyCount;
    }
    if (groupOpen) line.Begin(pos);
  }
  if (groupOpen) {
    line.Append(text, pos, textEnd, isLead);
    if (!closeGroup()) return LoadStatus::OutOfMemory;
  }

  std::sort(copies, copies + copyCount, SungBefore);
  size_t kept = 0;
  size_t keptPieces = 0;
  for (size_t i = 0; i < copyCount; ++i) {
    if (copies[i].pieceCount == 0) continue;
    if (kept && copies[kept - 1].startTime == copies[i].startTime) continue;
    copies[kept++] = copies[i];
    keptPieces += copies[i].pieceCount;
  }
  if (kept == 0) return LoadStatus::Invalid;

  // Every copy is a display line of its own, its pieces in a row.
  Syncpoint* syncpoints = AllocateArray<Syncpoint>(keptPieces);
  DisplayLine* displayLines = AllocateArray<DisplayLine>(kept);
  if (!syncpoints || !displayLines) {
    std::free(syncpoints);
    std::free(displayLines);
    return LoadStatus::OutOfMemory;
  }
  size_t next = 0;
  for (size_t k = 0; k < kept; ++k) {
    displayLines[k].textLine = copies[k].textLine;
    displayLines[k].firstSyncpoint = static_cast<int32_t>(next);
    for (size_t p = 0; p < copies[k].pieceCount; ++p) {
      syncpoints[next] = store.pieces[copies[k].firstPiece + p];
      syncpoints[next++].line = static_cast<uint16_t>(k);
    }
  }

  lyrics.textBuffer = file.Release();
  lyrics.textLines = tables.textLines;
  tables.textLines = nullptr;
  lyrics.syncpoints = syncpoints;
  lyrics.displayLines = displayLines;
  lyrics.textLineCount = static_cast<int32_t>(groups);
  lyrics.displayLineCount = static_cast<int32_t>(kept);
  lyrics.syncpointCount = static_cast<int32_t>(keptPieces);
  return LoadStatus::Loaded;
}
