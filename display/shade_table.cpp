#include "display/shade_table.h"

#include <cstdlib>

namespace {

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

// T + (B - T) * d / n on the magnitude of B - T, so it rounds toward T.
uint32_t Blend(uint32_t top, uint32_t bottom, int32_t d, int32_t n) {
  if (bottom >= top) return top + (bottom - top) * uint32_t(d) / uint32_t(n);
  return top - (top - bottom) * uint32_t(d) / uint32_t(n);
}

}  // namespace

uint32_t HighlightRowColor(const DisplaySettings& settings, int32_t lineHeight, int32_t row) {
  const uint32_t top = settings.highlightTopColor;
  const uint32_t bottom = settings.highlightBottomColor;
  const int32_t topRows = settings.highlightTopPercent * lineHeight / 100;
  const int32_t bottomStart = lineHeight - settings.highlightBottomPercent * lineHeight / 100;
  if (row < topRows) return top;
  if (row >= bottomStart) return bottom;
  const int32_t n = bottomStart - topRows - 1;
  if (n <= 0) return bottom;
  const int32_t d = row - topRows;
  uint32_t color = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    color |= Blend(Channel(top, shift), Channel(bottom, shift), d, n) << shift;
  }
  return color;
}

uint32_t MixForCoverage(uint32_t color, uint32_t background, int level) {
  uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = (Channel(color, shift) * uint32_t(16 - level) +
                        Channel(background, shift) * uint32_t(level)) / 16;
    mixed |= c << shift;
  }
  return DibPixel(mixed);
}

void BuildShadeTable(const DisplaySettings& settings, int32_t lineHeight, uint32_t* table) {
  for (int32_t row = 0; row <= lineHeight; ++row) {
    const uint32_t color =
        row < lineHeight ? HighlightRowColor(settings, lineHeight, row) : settings.textColor;
    for (int level = 0; level < kCoverageLevels; ++level) {
      table[row * kCoverageLevels + level] =
          MixForCoverage(color, settings.backgroundColor, level);
    }
  }
}

uint32_t* AllocateShadeTable(int32_t lineHeight) {
  if (lineHeight < 0 || lineHeight > (1 << 20)) return nullptr;
  return static_cast<uint32_t*>(
      std::malloc(size_t(lineHeight + 1) * kCoverageLevels * sizeof(uint32_t)));
}
