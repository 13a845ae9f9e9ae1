#include "display/options/options_text.h"

#include <cstdio>

#include "display/display_settings.h"

const char* FontStyleLabel(int32_t weight, bool italic) {
  if (weight >= kBoldWeight) return italic ? "Style: Bold Italic" : "Style: Bold";
  return italic ? "Style: Italic" : "Style: Regular";
}

void FontSizeLabel(int32_t pointSize, char* text, size_t size) {
  if (pointSize % 10 == 0) {
    std::snprintf(text, size, "Size: %d", static_cast<int>(pointSize / 10));
  } else {
    std::snprintf(text, size, "Size: %.4g", pointSize * 0.1);
  }
}
