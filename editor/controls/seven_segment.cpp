#include "editor/controls/seven_segment.h"

const SegmentLine kSegmentLines[kSegmentCount][2] = {
    {{0, 1, 0, 7}, {1, 2, 1, 6}},     // upper left
    {{0, 8, 0, 13}, {1, 9, 1, 12}},   // lower left
    {{1, 0, 7, 0}, {2, 1, 6, 1}},     // top
    {{6, 2, 6, 5}, {7, 1, 7, 6}},     // upper right
    {{6, 8, 6, 12}, {7, 7, 7, 13}},   // lower right
    {{2, 6, 7, 6}, {1, 7, 6, 7}},     // middle
    {{2, 12, 6, 12}, {1, 13, 7, 13}}, // bottom
};

int DigitSegments(int digit) {
  static const int kMasks[10] = {95, 24, 110, 124, 57, 117, 119, 28, 127, 125};
  return digit >= 0 && digit <= 9 ? kMasks[digit] : 0;
}

ReadoutTime SplitCentiseconds(int32_t centiseconds) {
  ReadoutTime time;
  time.hours = centiseconds / 360000;
  time.minutes = centiseconds % 360000 / 6000;
  time.seconds = centiseconds % 6000 / 100;
  time.hundredths = centiseconds % 100;
  return time;
}

namespace {

struct ReadoutWriter {
  ReadoutGlyph* glyphs;
  int count = 0;
  int x = kReadoutLeft;

  void Digit(int advance, int digit) {
    x += advance;
    glyphs[count++] = {false, digit, x, 0};
  }
  void Dot(int y) { glyphs[count++] = {true, 0, x, y}; }
  void Colon() {
    x += 11;
    Dot(3);
    Dot(9);
  }
  void TwoDigits(int firstAdvance, int value) {
    Digit(firstAdvance, value / 10);
    Digit(10, value % 10);
  }
};

}  // namespace

void LayoutReadout(const ReadoutTime& time, ReadoutGlyph glyphs[kReadoutGlyphCount]) {
  ReadoutWriter writer{glyphs};
  writer.TwoDigits(0, time.hours % 100);
  writer.Colon();
  writer.TwoDigits(5, time.minutes);
  writer.Colon();
  writer.TwoDigits(5, time.seconds);
  writer.x += 10;
  writer.Dot(12);
  writer.TwoDigits(4, time.hundredths);
}
