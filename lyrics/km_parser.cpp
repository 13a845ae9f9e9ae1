#include "lyrics/km_parser.h"

#include <cstring>

#include "lyrics/byte_order.h"
#include "lyrics/km_format.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Moves `pos` past the NUL that ends the string at `pos`. Fails when a CR
// or LF comes first or the data ends without a NUL.
bool SkipHeaderString(const char* text, size_t end, LeadBytePredicate isLead, size_t& pos) {
  while (pos < end) {
    char c = text[pos];
    if (c == '\0') {
      ++pos;
      return true;
    }
    if (IsLineBreak(c)) return false;
    pos += CharacterSize(text, pos, end, isLead);
  }
  return false;
}

// Length of the line text at `pos` up to its NUL, or false when a CR, LF or
// the end of the data comes first (the text is then not a complete line).
bool MeasureLineText(const char* text, size_t pos, size_t end, LeadBytePredicate isLead,
                     size_t& length) {
  for (size_t q = pos; q < end;) {
    char c = text[q];
    if (c == '\0') {
      length = q - pos;
      return true;
    }
    if (IsLineBreak(c)) return false;
    q += CharacterSize(text, q, end, isLead);
  }
  return false;
}

// Counts the line texts from `pos`: they end at a NUL that directly follows
// another NUL, at a CR or LF, or at the end of the data.
size_t CountLineTexts(const char* text, size_t pos, size_t end, LeadBytePredicate isLead) {
  size_t count = 0;
  size_t length = 0;
  // Every text starts right after a NUL, so a NUL here is a second NUL.
  while (pos < end && text[pos] != '\0' && MeasureLineText(text, pos, end, isLead, length)) {
    ++count;
    pos += length + 1;
  }
  return count;
}

// Whether `entry` may follow the accepted entries, `previous` being the
// last of them (null for the first entry).
bool IsValidNextEntry(const KmSyncEntry& entry, const KmSyncEntry* previous,
                      const TextLine* textLines, size_t textLineCount) {
  if (entry.line >= textLineCount) return false;
  const int32_t bareLength = textLines[entry.line].length - 1;
  if (entry.endByte != kKmNoOffset && entry.endByte >= bareLength) return false;
  if (entry.endTime == kKmNoTime) return false;
  if (entry.startByte >= entry.endByte || entry.startTime >= entry.endTime) return false;
  // Every time in the system is a signed count; a time past INT32_MAX would
  // read as negative and break the order in which pieces are sung.
  if (entry.endTime > INT32_MAX) return false;
  if (!previous) return entry.startByte == 0;
  if (entry.startByte == 0) {
    if (previous->endByte != kKmNoOffset) return false;
  } else if (entry.line != previous->line || entry.startByte != previous->endByte) {
    return false;
  }
  return entry.startTime >= previous->endTime;
}

}  // namespace

LoadStatus ParseKmFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  const size_t size = file.size();
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());

  if (size < kKmMinimumFileSize) return LoadStatus::Invalid;
  if (std::memcmp(bytes, "KM\0\0", 4) != 0) return LoadStatus::Invalid;
  if (uint64_t{ReadLe32(bytes + 4)} + 8 != size) return LoadStatus::Invalid;
  if (std::memcmp(bytes + 8, "TEXT", 4) != 0) return LoadStatus::Invalid;
  const uint64_t textSize = ReadLe32(bytes + 12);
  if (textSize == 0 || textSize + kKmHeaderSize >= size) return LoadStatus::Invalid;
  // The "SYNC" chunk header must fit after the text.
  if (textSize + kKmHeaderSize + kKmChunkHeaderSize > size) return LoadStatus::Invalid;

  char* text = file.data() + kKmHeaderSize;
  const size_t textEnd = static_cast<size_t>(textSize);
  size_t pos = 0;
  for (int i = 0; i < kKmHeaderStringCount; ++i) {
    if (!SkipHeaderString(text, textEnd, isLead, pos)) return LoadStatus::Invalid;
  }

  const size_t textLineCount = CountLineTexts(text, pos, textEnd, isLead);
  if (textLineCount == 0 || textLineCount > INT32_MAX) return LoadStatus::Invalid;

  const unsigned char* sync = bytes + kKmHeaderSize + textEnd;
  if (std::memcmp(sync, "SYNC", 4) != 0) return LoadStatus::Invalid;
  const uint64_t syncSize = ReadLe32(sync + 4);
  if (syncSize == 0 || textSize + syncSize + kKmMinimumFileSize != size) {
    return LoadStatus::Invalid;
  }
  const unsigned char* entries = sync + kKmChunkHeaderSize;
  const size_t entryCount = static_cast<size_t>(syncSize / kKmSyncEntrySize);

  TextLine* textLines = AllocateArray<TextLine>(textLineCount);
  if (!textLines) return LoadStatus::OutOfMemory;
  for (size_t i = 0; i < textLineCount; ++i) {
    size_t length = 0;
    MeasureLineText(text, pos, textEnd, isLead, length);
    textLines[i].text = text + pos;
    textLines[i].length = static_cast<int32_t>(length + 1);
    textLines[i].width = 0;
    text[pos + length] = ' ';
    pos += length + 1;
  }

  // The longest valid prefix of the entries, and its display lines. A
  // display line's index must fit the 16-bit line field of a Syncpoint.
  size_t accepted = 0;
  size_t displayLineCount = 0;
  KmSyncEntry previous{};
  for (; accepted < entryCount; ++accepted) {
    KmSyncEntry entry = ReadKmSyncEntry(entries + accepted * kKmSyncEntrySize);
    if (!IsValidNextEntry(entry, accepted ? &previous : nullptr, textLines, textLineCount)) break;
    if (entry.startByte == 0) {
      if (displayLineCount > UINT16_MAX) break;
      ++displayLineCount;
    }
    previous = entry;
  }
  if (accepted == 0 || accepted > INT32_MAX) {
    std::free(textLines);
    return LoadStatus::Invalid;
  }

  Syncpoint* syncpoints = AllocateArray<Syncpoint>(accepted);
  DisplayLine* displayLines = AllocateArray<DisplayLine>(displayLineCount);
  if (!syncpoints || !displayLines) {
    std::free(syncpoints);
    std::free(displayLines);
    std::free(textLines);
    return LoadStatus::OutOfMemory;
  }

  size_t displayLine = 0;
  for (size_t i = 0; i < accepted; ++i) {
    KmSyncEntry entry = ReadKmSyncEntry(entries + i * kKmSyncEntrySize);
    if (entry.startByte == 0) {
      displayLine = i ? displayLine + 1 : 0;
      displayLines[displayLine].textLine = entry.line;
      displayLines[displayLine].firstSyncpoint = static_cast<int32_t>(i);
    }
    Syncpoint& piece = syncpoints[i];
    piece.line = static_cast<uint16_t>(displayLine);
    piece.endByte = entry.endByte;
    piece.startPos = entry.startByte;
    piece.endPos = entry.endByte;
    piece.startTime = static_cast<int32_t>(entry.startTime);
    piece.endTime = static_cast<int32_t>(entry.endTime);
  }

  lyrics.textBuffer = file.Release();
  lyrics.textLines = textLines;
  lyrics.syncpoints = syncpoints;
  lyrics.displayLines = displayLines;
  lyrics.textLineCount = static_cast<int32_t>(textLineCount);
  lyrics.displayLineCount = static_cast<int32_t>(displayLineCount);
  lyrics.syncpointCount = static_cast<int32_t>(accepted);
  return LoadStatus::Loaded;
}
