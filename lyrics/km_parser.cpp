#include "lyrics/km_parser.h"

#include "lyrics/km_format.h"

namespace {

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

  KmLayout layout;
  if (!ReadKmLayout(bytes, size, &layout)) return LoadStatus::Invalid;
  // The plug-ins want both chunks filled and nothing after them.
  if (layout.textSize == 0 || layout.syncSize == 0 || !layout.exactSize) {
    return LoadStatus::Invalid;
  }

  char* text = file.data() + kKmHeaderSize;
  const size_t textEnd = layout.textSize;
  size_t pos = 0;
  for (int i = 0; i < kKmHeaderStringCount; ++i) {
    if (!SkipKmHeaderString(text, textEnd, isLead, pos)) return LoadStatus::Invalid;
  }

  const size_t textLineCount = CountKmLineTexts(text, pos, textEnd, isLead);
  if (textLineCount == 0 || textLineCount > INT32_MAX) return LoadStatus::Invalid;

  const unsigned char* entries = bytes + kKmMinimumFileSize + textEnd;
  const size_t entryCount = layout.syncSize / kKmSyncEntrySize;

  TextLine* textLines = AllocateArray<TextLine>(textLineCount);
  if (!textLines) return LoadStatus::OutOfMemory;
  for (size_t i = 0; i < textLineCount; ++i) {
    size_t length = 0;
    MeasureKmLineText(text, pos, textEnd, isLead, length);
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
