// Every colour a lyrics pixel can take, precomputed: painting a pixel is
// one lookup by its row in the line and its coverage level.
#pragma once

#include <cstdint>

#include "display/display_settings.h"

// Coverage levels: the number of background sub-pixels of a 4x4 block,
// 0 (all text) to 16 (all background).
constexpr int kCoverageLevels = 17;

// A COLORREF (0x00BBGGRR) as a 32-bit DIB pixel (0x00RRGGBB).
inline uint32_t DibPixel(uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// The highlight colour (COLORREF) of pixel row `row` of a line `lineHeight`
// rows high: solid top colour in the top band, solid bottom colour in the
// bottom band, a gradient that rounds toward the top colour between them.
uint32_t HighlightRowColor(const DisplaySettings& settings, int32_t lineHeight, int32_t row);

// `color` (COLORREF) mixed with `background` for coverage level `level`, as
// a DIB pixel; each channel truncated.
uint32_t MixForCoverage(uint32_t color, uint32_t background, int level);

// A table for `lineHeight` rows (malloc'ed; null when it cannot be had).
uint32_t* AllocateShadeTable(int32_t lineHeight);

// Fills `table`, (lineHeight + 1) rows of 17 DIB pixels: rows 0 to
// lineHeight - 1 in the highlight colours, row lineHeight in the colour of
// text not yet sung.
void BuildShadeTable(const DisplaySettings& settings, int32_t lineHeight, uint32_t* table);
