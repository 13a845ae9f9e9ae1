#include "lyrics/text_encoding.h"

TextMark FindTextMark(const char* data, size_t size) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return TextMark::Utf8;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return TextMark::Utf16Le;
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return TextMark::Utf16Be;
  return TextMark::None;
}
