// The texts of the form's font labels.
#pragma once

#include <cstddef>
#include <cstdint>

// "Style: Regular", "Style: Italic", "Style: Bold" or "Style: Bold Italic".
const char* FontStyleLabel(int32_t weight, bool italic);

// "Size: 14" for 140 tenths of a point, "Size: 14.5" for 145.
void FontSizeLabel(int32_t pointSize, char* text, size_t size);
