#include "lyrics/text_encoding.h"

TextMark FindTextMark(const char* data, size_t size) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return TextMark::Utf8;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return TextMark::Utf16Le;
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return TextMark::Utf16Be;
  return TextMark::None;
}

bool IsMultiByteUtf8(const char* data, size_t size) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
  bool multiByte = false;
  for (size_t i = 0; i < size;) {
    const unsigned lead = bytes[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t more = 0;
    unsigned low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      if (lead == 0xE0) low = 0xA0;   // no overlong form
      if (lead == 0xED) high = 0x9F;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      return false;
    }
    if (size - i <= more) return false;
    if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
    for (size_t k = 2; k <= more; ++k) {
      if (bytes[i + k] < 0x80 || bytes[i + k] > 0xBF) return false;
    }
    multiByte = true;
    i += more + 1;
  }
  return multiByte;
}
