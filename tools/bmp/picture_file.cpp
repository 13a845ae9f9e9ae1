#include "tools/bmp/picture_file.h"

#include <cstdio>

#include "tools/bmp/bmp_writer.h"

namespace {

uint32_t Get32(const unsigned char* at) {
  return at[0] | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

uint32_t RowBytes(int width) { return (uint32_t(width) * 3 + 3) & ~3u; }

}  // namespace

bool WriteBitmapFile(const char* path, const Picture& picture) {
  if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height)) return false;
  return WriteBmp24(path, picture.pixels.data(), picture.width, picture.height);
}

bool ReadBitmapFile(const char* path, Picture& picture) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  unsigned char header[54];
  bool ok = std::fread(header, 1, sizeof header, file) == sizeof header && header[0] == 'B' &&
            header[1] == 'M' && Get32(header + 10) == 54 && header[28] == 24;
  const int width = ok ? int(Get32(header + 18)) : 0;
  const int height = ok ? int(Get32(header + 22)) : 0;
  ok = ok && width > 0 && height > 0 && width <= 8192 && height <= 8192;
  if (ok) {
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(size_t(width) * height, 0);
    std::vector<unsigned char> row(RowBytes(width));
    for (int y = height - 1; ok && y >= 0; --y) {
      ok = std::fread(row.data(), 1, row.size(), file) == row.size();
      for (int x = 0; ok && x < width; ++x) {
        picture.pixels[size_t(y) * width + x] =
            row[x * 3] | uint32_t(row[x * 3 + 1]) << 8 | uint32_t(row[x * 3 + 2]) << 16;
      }
    }
  }
  std::fclose(file);
  return ok;
}
