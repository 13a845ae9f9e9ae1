#include "display/shade_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/mask_coverage.h"

namespace {

DisplaySettings Colors(int topPercent, int bottomPercent) {
  DisplaySettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.highlightTopColor = 0x00FFFFFF;     // white
  settings.highlightBottomColor = 0x00FF2020;  // blue 255, green 32, red 32
  settings.textColor = 0x00808080;
  settings.backgroundColor = 0x00000000;
  settings.highlightTopPercent = topPercent;
  settings.highlightBottomPercent = bottomPercent;
  return settings;
}

TEST(HighlightRows, AFullGradientRunsFromTopColourToBottomColour) {
  const DisplaySettings settings = Colors(0, 0);
  EXPECT_EQ(HighlightRowColor(settings, 23, 0), 0x00FFFFFFu);
  EXPECT_EQ(HighlightRowColor(settings, 23, 22), 0x00FF2020u);
  // Row 11 of 0..22: halfway, each channel rounded toward the top colour.
  // red and green: 255 - 223 * 11 / 22 = 255 - 111 = 144; blue stays 255.
  EXPECT_EQ(HighlightRowColor(settings, 23, 11), 0x00FF9090u);
  // A rising channel rounds toward the top colour too.
  DisplaySettings up = settings;
  up.highlightTopColor = 0;
  up.highlightBottomColor = 0x000000FF;
  EXPECT_EQ(HighlightRowColor(up, 23, 1), 0x0000000Bu);  // 255 * 1 / 22 = 11
}

TEST(HighlightRows, HalfBandsMeetWithAtMostOneMiddleRow) {
  const DisplaySettings settings = Colors(50, 50);
  for (int row = 0; row <= 10; ++row) EXPECT_EQ(HighlightRowColor(settings, 23, row), 0x00FFFFFFu);
  for (int row = 11; row <= 22; ++row) EXPECT_EQ(HighlightRowColor(settings, 23, row), 0x00FF2020u);
  for (int row = 0; row <= 11; ++row) EXPECT_EQ(HighlightRowColor(settings, 24, row), 0x00FFFFFFu);
  for (int row = 12; row <= 23; ++row) EXPECT_EQ(HighlightRowColor(settings, 24, row), 0x00FF2020u);
}

TEST(ShadeTable, MixesEachRowWithTheBackgroundByCoverage) {
  DisplaySettings settings = Colors(0, 0);
  settings.backgroundColor = 0x00204060;  // blue 0x20, green 0x40, red 0x60
  std::vector<uint32_t> table((23 + 1) * kCoverageLevels);
  BuildShadeTable(settings, 23, table.data());
  // Level 0 is the colour itself, 16 the background, as DIB pixels (0xRRGGBB).
  EXPECT_EQ(table[0], 0x00FFFFFFu);
  EXPECT_EQ(table[16], 0x00604020u);
  // Level 8: halfway, truncated per channel: (255 + 0x60) / 2 = 0xAF ...
  EXPECT_EQ(table[8], 0x00AF9F8Fu);
  // The last row is the colour of text not yet sung.
  EXPECT_EQ(table[23 * kCoverageLevels + 0], 0x00808080u);
  EXPECT_EQ(DibPixel(0x00112233), 0x00332211u);
}

TEST(MaskCoverage, CountsWhiteSubPixelsOfEachFourByFourBlock) {
  // An 8-pixel-wide mask (one byte a row, stride 4), four rows.
  std::vector<uint8_t> mask(4 * 4, 0);
  mask[0 * 4] = 0xF0;   // row 0: columns 0-3 white
  mask[1 * 4] = 0xA5;   // row 1: 1010 0101
  mask[2 * 4] = 0x0F;   // row 2: columns 4-7 white
  mask[3 * 4] = 0xFF;
  EXPECT_EQ(CoverageLevel(mask.data(), 4, 0, 0, true), 4 + 2 + 0 + 4);
  EXPECT_EQ(CoverageLevel(mask.data(), 4, 1, 0, true), 0 + 2 + 4 + 4);
  EXPECT_EQ(CoverageLevel(mask.data(), 4, 0, 1, false), 16);
  EXPECT_EQ(CoverageLevel(mask.data(), 4, 1, 1, false), 0);
  EXPECT_EQ(CoverageLevel(mask.data(), 4, 7, 1, false), 16);
  EXPECT_EQ(MaskStride(1), 4);
  EXPECT_EQ(MaskStride(33), 8);
}

}  // namespace
