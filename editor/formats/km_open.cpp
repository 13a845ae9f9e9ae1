// The editor's ".km" reader: the header values, the lyric lines with their
// blank lines and syncpoints, rebuilt entry by entry, and the pairs.
#include "editor/formats/document_fill.h"
#include "editor/formats/editor_formats.h"
#include "lyrics/km_format.h"

namespace {

// More blank lines in a row than this come back as this many.
constexpr uint16_t kMostBlankLines = 12;

struct LineText {
  const char* bytes;
  size_t length;
};

// Where the rebuilt text stands within the line of the last entry taken.
struct LineWalk {
  uint16_t line;
  int32_t lineStart;  // position of the line's first character in the lyrics
  size_t byte;        // the first character at or after the last piece's start
  int32_t character;  // its index in the line
};

bool AppendLineBreaks(size_t count, LoadedLyrics& loaded, int32_t* position) {
  for (size_t i = 0; i < count; ++i) {
    if (!loaded.lyrics.Push('\r')) return false;
  }
  *position += static_cast<int32_t>(count);
  return true;
}

int32_t CountLineCharacters(const LineText& text, LeadBytePredicate isLead) {
  int32_t count = 0;
  for (size_t pos = 0; pos < text.length; ++count) pos += CharacterSize(text.bytes, pos, text.length, isLead);
  return count;
}

enum class Taken { kYes, kNoRoom, kNoMemory };

// A piece that starts a line: its line breaks and its text.
Taken TakeLineStart(const KmSyncEntry& entry, bool first, const LineText& text,
                    LeadBytePredicate isLead, LoadedLyrics& loaded, int32_t* position,
                    LineWalk* walk) {
  const uint16_t blanks = entry.blankLines < kMostBlankLines ? entry.blankLines : kMostBlankLines;
  const size_t breaks = (first ? 0 : 1) + size_t{blanks};
  if (loaded.lyrics.size() + breaks + text.length > kMostRebuiltLyricsBytes) return Taken::kNoRoom;
  if (!AppendLineBreaks(breaks, loaded, position)) return Taken::kNoMemory;
  *walk = LineWalk{entry.line, *position, 0, 0};
  if (!AppendCleanLine(text.bytes, text.length, isLead, &loaded.lyrics)) return Taken::kNoMemory;
  *position += CountLineCharacters(text, isLead);
  return Taken::kYes;
}

// A piece within the line of the previous one: its syncpoint stands on the
// first character that starts at or after its start byte. False when the
// piece does not fit: another line, an offset outside the line, or a
// character not after the previous piece's.
bool FindSyncpoint(const KmSyncEntry& entry, const LineText& text, LeadBytePredicate isLead,
                   LineWalk* walk, int32_t* position) {
  if (entry.startByte == kKmNoOffset || entry.line != walk->line || entry.startByte >= text.length) {
    return false;
  }
  const int32_t previous = walk->character;
  while (walk->byte < entry.startByte) {
    walk->byte += CharacterSize(text.bytes, walk->byte, text.length, isLead);
    ++walk->character;
  }
  if (walk->byte >= text.length || walk->character <= previous) return false;
  *position = walk->lineStart + walk->character;
  return true;
}

// Rebuilds the lyrics from the entries, stopping at the first that does not
// fit. False only when no memory can be had.
bool RebuildLyrics(const unsigned char* entries, size_t entryCount,
                   const GrowableArray<LineText>& texts, LeadBytePredicate isLead,
                   LoadedLyrics& loaded) {
  int32_t position = 0;
  LineWalk walk{};
  for (size_t i = 0; i < entryCount; ++i) {
    const KmSyncEntry entry = ReadKmSyncEntry(entries + i * kKmSyncEntrySize);
    if (entry.line >= texts.size()) break;
    const LineText& text = texts[entry.line];
    if (entry.startByte == 0) {
      const Taken taken = TakeLineStart(entry, i == 0, text, isLead, loaded, &position, &walk);
      if (taken == Taken::kNoMemory) return false;
      if (taken == Taken::kNoRoom) break;
      continue;
    }
    int32_t syncpoint = 0;
    if (i == 0 || !FindSyncpoint(entry, text, isLead, &walk, &syncpoint)) break;
    if (!loaded.syncpoints.Push(syncpoint)) return false;
  }
  return true;
}

// The pairs of the entries in order, up to the first without times, with
// its end not after its start, starting before the previous end, or
// refused by the list.
void AppendPairs(const unsigned char* entries, size_t entryCount, TimestampList& timestamps) {
  uint32_t previousEnd = 0;
  for (size_t i = 0; i < entryCount; ++i) {
    const KmSyncEntry entry = ReadKmSyncEntry(entries + i * kKmSyncEntrySize);
    if (entry.startTime == kKmNoTime || entry.endTime <= entry.startTime) return;
    if (i > 0 && entry.startTime < previousEnd) return;
    if (entry.endTime > INT32_MAX) return;
    if (timestamps.Insert(static_cast<int32_t>(entry.startTime), static_cast<int32_t>(entry.endTime)) < 0) {
      return;
    }
    previousEnd = entry.endTime;
  }
}

}  // namespace

bool OpenKmFile(OwnedBuffer file, EditorDocument& document) {
  RedrawOff redraw(document.window);
  if (!ResetToTemplate(document)) return false;
  if (file.size() == 0) return true;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
  KmLayout layout;
  if (!ReadKmLayout(bytes, file.size(), &layout)) return false;

  const char* text = file.data() + kKmHeaderSize;
  const size_t textEnd = layout.textSize;
  LoadedLyrics loaded;
  size_t pos = 0;
  int headerStrings = 0;
  for (; headerStrings < kKmHeaderStringCount; ++headerStrings) {
    const size_t start = pos;
    if (!SkipKmHeaderString(text, textEnd, document.isLead, pos)) break;
    if (headerStrings < kHeaderFieldCount &&
        !AppendCleanLine(text + start, pos - 1 - start, document.isLead,
                         &loaded.header[headerStrings])) {
      return false;
    }
  }

  const unsigned char* entries = bytes + kKmMinimumFileSize + textEnd;
  const size_t entryCount = layout.syncSize / kKmSyncEntrySize;
  GrowableArray<LineText> texts;
  if (headerStrings == kKmHeaderStringCount && entryCount > 0) {
    size_t length = 0;
    const size_t count = CountKmLineTexts(text, pos, textEnd, document.isLead);
    if (!texts.Reserve(count)) return false;
    for (size_t i = 0; i < count; ++i, pos += length + 1) {
      MeasureKmLineText(text, pos, textEnd, document.isLead, length);
      texts.Push(LineText{text + pos, length});
    }
  }
  if (!RebuildLyrics(entries, entryCount, texts, document.isLead, loaded)) return false;
  AppendPairs(entries, entryCount, document.timestamps);
  return FillDocument(document, loaded);
}
