// The timed lyrics of one song as the plug-ins display them.
#pragma once

#include <cstdint>

struct TextLine {
  char* text;      // first byte of the line inside TimedLyrics::textBuffer
  int32_t length;  // bytes of the line, including its one trailing space
  int32_t width;   // pixel width in the current font; written by the layout
};

struct DisplayLine {
  int32_t textLine;        // index into textLines
  int32_t firstSyncpoint;  // index into syncpoints of the line's first piece
};

// One timed piece of a display line. Byte offsets after loading; the
// layout step turns startPos and endPos into pixel positions.
struct Syncpoint {
  uint16_t line;      // index of the display line
  uint16_t endByte;   // end of the piece in bytes (exclusive), kToLineEnd
  uint16_t startPos;
  uint16_t endPos;
  int32_t startTime;  // centiseconds
  int32_t endTime;
};
static_assert(sizeof(Syncpoint) == 16, "Syncpoint is 16 bytes");

// endByte value of a piece that runs to the end of its line.
constexpr uint16_t kToLineEnd = 0xFFFF;

// Owns all four blocks; an empty model has null pointers and zero counts.
struct TimedLyrics {
  char* textBuffer = nullptr;
  TextLine* textLines = nullptr;
  Syncpoint* syncpoints = nullptr;
  DisplayLine* displayLines = nullptr;
  int32_t textLineCount = 0;
  int32_t displayLineCount = 0;
  int32_t syncpointCount = 0;

  TimedLyrics() = default;
  ~TimedLyrics();
  TimedLyrics(const TimedLyrics&) = delete;
  TimedLyrics& operator=(const TimedLyrics&) = delete;
};

// Frees every block and returns the model to empty.
void ClearTimedLyrics(TimedLyrics& lyrics);

bool IsTimedLyricsEmpty(const TimedLyrics& lyrics);
