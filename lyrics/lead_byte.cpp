#include "lyrics/lead_byte.h"

bool NoLeadBytes(unsigned char) { return false; }

bool Cp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
