// The time readout HH:MM:SS.hh in seven-segment digits: which segments
// each digit lights, the two one-pixel lines of every segment, and where
// each digit and dot of the readout stands. No drawing here.
#pragma once

#include <cstdint>

constexpr int kDigitWidth = 8;
constexpr int kDigitHeight = 14;
constexpr int kSegmentCount = 7;
// The first digit of the readout stands at this x.
constexpr int kReadoutLeft = 4;
// The hundredths' tens digit stands at this x; the units digit 10 to its
// right, so both fit an 18 by 14 pixel area.
constexpr int kHundredthsX = 80;
constexpr int kHundredthsWidth = 18;
constexpr int kHundredthsUnitsOffset = 10;

// A horizontal or vertical one-pixel line from (x0, y0) to (x1, y1), the
// end point excluded, relative to the digit cell's top-left corner.
struct SegmentLine {
  int x0, y0, x1, y1;
};

// Segment bit i (upper left, lower left, top, upper right, lower right,
// middle, bottom) is drawn by kSegmentLines[i][0] and [1].
extern const SegmentLine kSegmentLines[kSegmentCount][2];

// The segment mask of a decimal digit; 0 (nothing lit) for any other value.
int DigitSegments(int digit);

struct ReadoutTime {
  int32_t hours = 0;
  int32_t minutes = 0;
  int32_t seconds = 0;
  int32_t hundredths = 0;
};

// Splits a non-negative time in centiseconds.
ReadoutTime SplitCentiseconds(int32_t centiseconds);

// One item of the readout: a digit cell at (x, y), or a 2 by 2 pixel dot
// whose top-left pixel is (x, y). y is relative to the readout's top row.
struct ReadoutGlyph {
  bool isDot = false;
  int digit = 0;
  int x = 0;
  int y = 0;
};

constexpr int kReadoutGlyphCount = 13;  // 8 digits, two colons of 2 dots, a decimal point

// The glyphs of `time` left to right; the hours show modulo 100.
void LayoutReadout(const ReadoutTime& time, ReadoutGlyph glyphs[kReadoutGlyphCount]);
