// Double-byte text: whether a byte starts a two-byte character in the
// code page of the text. Windows builds pass IsDBCSLeadByte; native
// builds and tests pass a table.
#pragma once

#include <cstddef>

using LeadBytePredicate = bool (*)(unsigned char byte);

// A single-byte code page: no byte leads a double-byte character.
bool NoLeadBytes(unsigned char byte);

// Code page 932 (Japanese Shift-JIS) lead bytes.
bool Cp932LeadByte(unsigned char byte);

// Bytes of the character at text[pos], given `end` bytes in all: 2 for a
// lead byte with a trail byte that is neither NUL nor past the end, else 1.
// A lead byte never swallows a terminating NUL.
inline size_t CharacterSize(const char* text, size_t pos, size_t end, LeadBytePredicate isLead) {
  unsigned char c = static_cast<unsigned char>(text[pos]);
  if (pos + 1 < end && text[pos + 1] != '\0' && isLead(c)) return 2;
  return 1;
}
