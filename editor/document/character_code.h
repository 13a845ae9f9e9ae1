// The 16-bit code of one lyrics character and its bytes: a single-byte
// character is its byte; a double-byte character has its lead byte in the
// low half and its trail byte in the high half. Which bytes lead is the
// code page's business (lyrics/lead_byte.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"

// The character that starts at text[pos] of a NUL-terminated string (a lead
// byte never swallows the NUL); `*bytes` receives its size, 1 or 2.
inline uint16_t DecodeCharacter(const char* text, size_t pos, LeadBytePredicate isLead,
                                size_t* bytes) {
  const size_t size = CharacterSize(text, pos, SIZE_MAX, isLead);
  const uint16_t lead = static_cast<unsigned char>(text[pos]);
  *bytes = size;
  if (size == 1) return lead;
  return static_cast<uint16_t>(lead | static_cast<unsigned char>(text[pos + 1]) << 8);
}

// Writes the bytes of `code` to out[0] (and out[1]); returns their number.
inline size_t EncodeCharacter(uint16_t code, char out[2]) {
  out[0] = static_cast<char>(code & 0xFF);
  if (code <= 0xFF) return 1;
  out[1] = static_cast<char>(code >> 8);
  return 2;
}
