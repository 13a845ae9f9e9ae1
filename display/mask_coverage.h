// Coverage levels counted from the 1-bit mask into which a line of text is
// drawn (white = background, bits most significant first, rows top-down).
#pragma once

#include <cstdint>

// Level of output pixel (column, row). With anti-aliasing the mask is four
// times larger and the level is the number of white pixels of the 4x4
// block; without, it is 16 for a white pixel and 0 for a black one.
int CoverageLevel(const uint8_t* mask, int32_t maskStride, int32_t column, int32_t row,
                  bool smooth);

// Bytes per row of a 1-bit DIB `width` pixels wide (rows are DWORD-aligned).
inline int32_t MaskStride(int32_t width) { return ((width + 31) / 32) * 4; }
