// Pictures as 24-bit BMP files: frames that tests and demos save and read.
#pragma once

#include <cstdint>
#include <vector>

// Top-down 0x00RRGGBB pixels.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

bool WriteBitmapFile(const char* path, const Picture& picture);
// Reads a 24-bit bottom-up BMP file as written above.
bool ReadBitmapFile(const char* path, Picture& picture);
