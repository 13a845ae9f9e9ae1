// The ".km" writer: the header values, the distinct line texts, and one
// sync entry per unit or pair, whichever are more.
#include <cstring>

#include "editor/formats/document_lines.h"
#include "editor/formats/editor_formats.h"
#include "lyrics/km_format.h"

namespace {

constexpr size_t kMostLineTexts = size_t{UINT16_MAX} + 1;
// A line's offsets are 16-bit, 0xFFFF meaning "to the end of the line".
constexpr int64_t kLongestLineText = 0xFFFE;

// Entry i gets pair i, or no times.
void FillTimes(const TimestampList& timestamps, GrowableArray<KmSyncEntry>& entries) {
  for (size_t i = 0; i < entries.size(); ++i) {
    TimestampPair pair{};
    const bool timed = timestamps.Get(static_cast<int32_t>(i), &pair);
    entries[i].startTime = timed ? static_cast<uint32_t>(pair.start) : kKmNoTime;
    entries[i].endTime = timed ? static_cast<uint32_t>(pair.end) : kKmNoTime;
  }
}

// Walks the lyrics: each unit's entry gets its line text, the blank lines
// before its line (first unit of a line) and its byte range in the line,
// the last unit of a line running to its end. Entries beyond the units are
// unused.
void FillPositions(const DocumentSnapshot& snapshot, const LyricsLines& lines,
                   GrowableArray<KmSyncEntry>& entries) {
  const LyricsChar* chars = snapshot.chars();
  const size_t count = entries.size();
  size_t current = 0, closed = 0, line = 0;
  bool atLineStart = true;
  for (int32_t p = snapshot.lyricsStart(); p < snapshot.length(); ++p) {
    const LyricsChar c = chars[p];
    if (IsLineBreak(c.code)) {
      if (atLineStart) {
        if (current < count && entries[current].blankLines < UINT16_MAX) ++entries[current].blankLines;
      } else {
        entries[current].endByte = kKmNoOffset;
        ++current, ++closed;
        if (current < count) entries[current].blankLines = 0;
        atLineStart = true;
      }
      ++line;
      continue;
    }
    if (atLineStart) {
      if (current >= count) return;  // the document counts its units the same way
      entries[current].line = static_cast<uint16_t>(lines.lines[line].text);
      entries[current].startByte = entries[current].endByte = 0;
      atLineStart = false;
    } else if (c.syncpoint) {
      if (current + 1 >= count) return;
      const KmSyncEntry& previous = entries[current];
      KmSyncEntry& next = entries[current + 1];
      next.line = previous.line;
      next.blankLines = 0;
      next.startByte = next.endByte = previous.endByte;
      ++current, ++closed;
    }
    entries[current].endByte = static_cast<uint16_t>(entries[current].endByte + (c.code > 0xFF ? 2 : 1));
  }
  if (!atLineStart && current < count) {
    entries[current].endByte = kKmNoOffset;
    ++closed;
  }
  for (size_t i = closed; i < count; ++i) {
    entries[i].line = entries[i].blankLines = entries[i].startByte = entries[i].endByte = kKmNoOffset;
  }
}

}  // namespace

bool SaveKmFile(const LyricsDocument& document, const TimestampList& timestamps, OwnedBuffer* file) {
  *file = OwnedBuffer();
  const int32_t units = document.UnitCount();
  const size_t count = static_cast<size_t>(units > timestamps.Count() ? units : timestamps.Count());
  if (count == 0 && document.LyricsStart() == kEmptyDocumentLength) return true;

  DocumentSnapshot snapshot;
  LyricsLines lines;
  ByteBuilder header;
  if (!snapshot.Take(document) || !CollectLyricsLines(snapshot, &lines)) return false;
  for (int field = 0; field < kKmHeaderStringCount; ++field) {
    if (field < kHeaderFieldCount &&
        !snapshot.AppendBytes(snapshot.header().valueStart[field], snapshot.header().valueEnd[field],
                              &header)) {
      return false;
    }
    if (!header.Push('\0')) return false;
  }
  if (lines.textStart.size() > kMostLineTexts || lines.longestText > kLongestLineText) return false;

  const uint64_t textSize = (uint64_t{header.size()} + lines.texts.size() + 3) / 4 * 4;
  const uint64_t syncSize = uint64_t{count} * kKmSyncEntrySize;
  const uint64_t total = kKmMinimumFileSize + textSize + syncSize;
  if (total - 8 > UINT32_MAX || total > SIZE_MAX) return false;

  GrowableArray<KmSyncEntry> entries;
  if (!entries.Reserve(count)) return false;
  for (size_t i = 0; i < count; ++i) entries.Push(KmSyncEntry{});
  FillTimes(timestamps, entries);
  FillPositions(snapshot, lines, entries);

  OwnedBuffer bytes;
  if (!bytes.Allocate(static_cast<size_t>(total))) return false;
  unsigned char* out = reinterpret_cast<unsigned char*>(bytes.data());
  std::memset(out, 0, bytes.size());
  WriteKmLayout(out, KmLayout{static_cast<size_t>(textSize), static_cast<size_t>(syncSize), true});
  std::memcpy(out + kKmHeaderSize, header.data(), header.size());
  if (lines.texts.size()) {
    std::memcpy(out + kKmHeaderSize + header.size(), lines.texts.data(), lines.texts.size());
  }
  unsigned char* sync = out + kKmMinimumFileSize + textSize;
  for (size_t i = 0; i < count; ++i) WriteKmSyncEntry(entries[i], sync + i * kKmSyncEntrySize);
  *file = static_cast<OwnedBuffer&&>(bytes);
  return true;
}
