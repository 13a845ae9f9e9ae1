// Writes 32-bit top-down pixels (0x00RRGGBB) as a 24-bit BMP file.
#pragma once

#include <cstdint>

bool WriteBmp24(const char* path, const uint32_t* pixels, int32_t width, int32_t height);
