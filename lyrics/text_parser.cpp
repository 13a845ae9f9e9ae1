#include "lyrics/text_parser.h"

#include <cmath>

namespace {

constexpr int32_t kDefaultSongLength = 18000;  // 180 seconds
// The longest line the 16-bit byte offsets of a Syncpoint can describe,
// trailing space included (0xFFFF means "to the end of the line").
constexpr size_t kMaxLineLength = 0xFFFE;
// Display line indexes are 16-bit.
constexpr size_t kMaxLines = 0x10000;

// Turns every line break into one LF (CR LF, a run of CRs and CR CR LF end
// one line; the bytes after the LF become CR) and counts the lines. The
// NUL after the text ends one more line, so a final line break leaves an
// empty last line.
size_t NormaliseLineBreaks(char* text, size_t size, LeadBytePredicate isLead) {
  size_t lines = 0;
  bool afterCr = false;
  for (size_t pos = 0; pos < size;) {
    const char c = text[pos];
    if (c == '\r') {
      if (!afterCr) {
        text[pos] = '\n';
        ++lines;
      }
      afterCr = true;
      ++pos;
    } else if (c == '\n') {
      if (afterCr) {
        text[pos] = '\r';
      } else {
        ++lines;
      }
      afterCr = false;
      ++pos;
    } else {
      afterCr = false;
      pos += CharacterSize(text, pos, size, isLead);
    }
  }
  if (size > 0) {
    text[size] = '\n';
    ++lines;
  }
  return lines;
}

// Cuts a line of `length` bytes (its ending space included) at a character
// boundary so that it fits the 16-bit offsets, and ends it with a space.
size_t FitLine(char* line, size_t length, LeadBytePredicate isLead) {
  if (length <= kMaxLineLength) return length;
  size_t fit = 0;
  while (true) {
    size_t next = fit + CharacterSize(line, fit, length, isLead);
    if (next > kMaxLineLength - 1) break;
    fit = next;
  }
  line[fit] = ' ';
  return fit + 1;
}

}  // namespace

PlainTextTiming MediaPlayerTextTiming(double durationSeconds) {
  PlainTextTiming timing{0, true, false};
  const double centiseconds = durationSeconds * 100.0;
  if (std::isfinite(centiseconds) && centiseconds > 0) {
    timing.songLength = centiseconds >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(centiseconds);
  }
  return timing;
}

PlainTextTiming WinampTextTiming(int trackSeconds) {
  if (trackSeconds == -1) return PlainTextTiming{kDefaultSongLength, false, true};
  int64_t length = int64_t{trackSeconds} * 100;
  if (length < 0) length = 0;
  if (length > INT32_MAX) length = INT32_MAX;
  return PlainTextTiming{static_cast<int32_t>(length), false, false};
}

LoadStatus ParsePlainText(OwnedBuffer file, LeadBytePredicate isLead,
                          const PlainTextTiming& timing, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  const size_t size = file.size();
  if (size == 0) return LoadStatus::Invalid;
  if (!file.AppendZeros(2)) return LoadStatus::OutOfMemory;
  char* text = file.data();

  const size_t lineCount = NormaliseLineBreaks(text, size, isLead);
  const size_t kept = lineCount < kMaxLines ? lineCount : kMaxLines;
  TextLine* textLines = AllocateArray<TextLine>(kept);
  DisplayLine* displayLines = AllocateArray<DisplayLine>(kept);
  Syncpoint* syncpoints = AllocateArray<Syncpoint>(kept);
  if (!textLines || !displayLines || !syncpoints) {
    std::free(textLines);
    std::free(displayLines);
    std::free(syncpoints);
    return LoadStatus::OutOfMemory;
  }

  // Every line break is now one LF followed by zero or more CRs.
  size_t count = 0;
  size_t lineStart = 0;
  size_t line = 0;
  for (size_t pos = 0; pos <= size && line < kept;) {
    if (text[pos] != '\n') {
      pos += CharacterSize(text, pos, size, isLead);
      continue;
    }
    text[pos] = ' ';
    const size_t length = FitLine(text + lineStart, pos - lineStart + 1, isLead);
    // 64-bit: a long song times many lines overflows 32 bits.
    const int32_t start =
        static_cast<int32_t>(int64_t{timing.songLength} * int64_t(line) / int64_t(lineCount));
    ++line;
    ++pos;
    const size_t thisLineStart = lineStart;
    while (pos < size && text[pos] == '\r') ++pos;
    lineStart = pos;
    if (timing.dropRepeatedTimes && count > 0 && syncpoints[count - 1].startTime == start) {
      continue;
    }
    textLines[count] = TextLine{text + thisLineStart, static_cast<int32_t>(length), 0};
    displayLines[count] = DisplayLine{static_cast<int32_t>(count), static_cast<int32_t>(count)};
    const uint16_t end = static_cast<uint16_t>(length);
    syncpoints[count] = Syncpoint{static_cast<uint16_t>(count), end, 0, end, start, start + 1};
    ++count;
  }
  if (timing.markDefaultLength) syncpoints[count - 1].endTime = INT32_MAX;

  lyrics.textBuffer = file.Release();
  lyrics.textLines = textLines;
  lyrics.displayLines = displayLines;
  lyrics.syncpoints = syncpoints;
  lyrics.textLineCount = lyrics.displayLineCount = lyrics.syncpointCount =
      static_cast<int32_t>(count);
  return LoadStatus::Loaded;
}
