#include "tools/bmp/bmp_writer.h"

#include <cstdio>
#include <vector>

#include "lyrics/byte_order.h"

bool WriteBmp24(const char* path, const uint32_t* pixels, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * uint32_t(height);
  unsigned char header[54] = {'B', 'M'};
  WriteLe32(header + 2, 54 + imageSize);
  WriteLe32(header + 10, 54);
  WriteLe32(header + 14, 40);
  WriteLe32(header + 18, uint32_t(width));
  WriteLe32(header + 22, uint32_t(height));  // bottom-up rows
  WriteLe16(header + 26, 1);
  WriteLe16(header + 28, 24);
  WriteLe32(header + 34, imageSize);
  WriteLe32(header + 38, 2835);  // 72 dpi
  WriteLe32(header + 42, 2835);

  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
  std::vector<unsigned char> row(stride, 0);
  for (int32_t y = height - 1; ok && y >= 0; --y) {
    const uint32_t* source = pixels + size_t(y) * size_t(width);
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<unsigned char>(source[x]);
      row[3 * x + 1] = static_cast<unsigned char>(source[x] >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(source[x] >> 16);
    }
    ok = std::fwrite(row.data(), 1, row.size(), file) == row.size();
  }
  return std::fclose(file) == 0 && ok;
}
