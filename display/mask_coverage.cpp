#include "display/mask_coverage.h"

namespace {

const uint8_t kBitsInNibble[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

}  // namespace

int CoverageLevel(const uint8_t* mask, int32_t maskStride, int32_t column, int32_t row,
                  bool smooth) {
  if (!smooth) {
    const uint8_t byte = mask[row * maskStride + column / 8];
    return (byte & (0x80 >> (column % 8))) ? 16 : 0;
  }
  // Columns 4c..4c+3 are one half-byte: the high one for even c.
  const int shift = (column & 1) ? 0 : 4;
  int level = 0;
  for (int r = 0; r < 4; ++r) {
    const uint8_t byte = mask[(4 * row + r) * maskStride + column / 2];
    level += kBitsInNibble[(byte >> shift) & 0x0F];
  }
  return level;
}
