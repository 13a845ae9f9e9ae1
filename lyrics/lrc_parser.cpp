#include "lyrics/lrc_parser.h"

#include <algorithm>
#include <cstdlib>

#include "lyrics/lrc_tag.h"

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
  int32_t Length() const { return static_cast<int32_t>(write - start + 1); }
};

// Syncpoints in the order sung; equal times keep the first read, which has
// the lowest text line (pieces of one group are alike).
bool SungBefore(const Syncpoint& a, const Syncpoint& b) {
  if (a.startTime != b.startTime) return a.startTime < b.startTime;
  return a.line < b.line;
}

int32_t ShiftedTime(int32_t time, int32_t offset) {
  // endTime is startTime + 1 and must fit as well.
  const int64_t shifted = int64_t{time} + offset;
  if (shifted > int64_t{INT32_MAX} - 1) return INT32_MAX - 1;
  if (shifted < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(shifted);
}

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

  Syncpoint* syncpoints = AllocateArray<Syncpoint>(capacity);
  DisplayLine* displayLines = AllocateArray<DisplayLine>(capacity);
  TextLine* textLines = AllocateArray<TextLine>(capacity);
  if (!syncpoints || !displayLines || !textLines) {
    std::free(syncpoints);
    std::free(displayLines);
    std::free(textLines);
    return LoadStatus::OutOfMemory;
  }

  size_t pieces = 0;      // syncpoints read
  size_t groups = 0;      // text lines closed
  size_t groupFirst = 0;  // first syncpoint of the open group
  bool groupOpen = false;
  LineBuilder line;
  auto closeGroup = [&]() {
    line.End(text);
    const int32_t length = line.Length();
    textLines[groups] = TextLine{text + line.start, length, 0};
    for (size_t i = groupFirst; i < pieces; ++i) {
      syncpoints[i].endByte = static_cast<uint16_t>(length);
      syncpoints[i].endPos = static_cast<uint16_t>(length);
    }
    ++groups;
    groupOpen = false;
  };
  auto addPiece = [&](int32_t time) {
    Syncpoint& piece = syncpoints[pieces++];
    piece.line = static_cast<uint16_t>(groups);
    piece.endByte = 0;
    piece.startPos = 0;
    piece.endPos = 0;
    piece.startTime = ShiftedTime(time, offset);
    piece.endTime = piece.startTime + 1;
  };

  // The last group's text runs to the end of the file, or to the first time
  // tag past the limit.
  size_t textEnd = size - 1;
  size_t pos = 0;
  Tag tag;
  while (NextTag(text, pos, isLead, tag)) {
    const bool isTime = tag.kind == kLrcTimeTag;
    if (isTime && pieces == capacity) {
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
      closeGroup();
    }
    // Time tags with nothing between them share one line; other tags
    // directly after a time tag, or outside any group, are skipped.
    if (isTime) {
      if (!groupOpen) groupFirst = pieces;
      groupOpen = true;
      addPiece(tag.value);
    }
    if (groupOpen) line.Begin(pos);
  }
  if (groupOpen) {
    line.Append(text, pos, textEnd, isLead);
    closeGroup();
  }
  if (pieces == 0) {
    std::free(syncpoints);
    std::free(displayLines);
    std::free(textLines);
    return LoadStatus::Invalid;
  }

  std::sort(syncpoints, syncpoints + pieces, SungBefore);
  size_t kept = 0;
  for (size_t i = 0; i < pieces; ++i) {
    if (kept && syncpoints[kept - 1].startTime == syncpoints[i].startTime) continue;
    syncpoints[kept++] = syncpoints[i];
  }
  // Every piece is a display line of its own.
  for (size_t k = 0; k < kept; ++k) {
    displayLines[k].textLine = syncpoints[k].line;
    displayLines[k].firstSyncpoint = static_cast<int32_t>(k);
    syncpoints[k].line = static_cast<uint16_t>(k);
  }

  lyrics.textBuffer = file.Release();
  lyrics.textLines = textLines;
  lyrics.syncpoints = syncpoints;
  lyrics.displayLines = displayLines;
  lyrics.textLineCount = static_cast<int32_t>(groups);
  lyrics.displayLineCount = static_cast<int32_t>(kept);
  lyrics.syncpointCount = static_cast<int32_t>(kept);
  return LoadStatus::Loaded;
}
