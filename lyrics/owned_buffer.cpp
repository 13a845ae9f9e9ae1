#include "lyrics/owned_buffer.h"

#include <cstring>

bool OwnedBuffer::Assign(const void* bytes, size_t size) {
  if (!Allocate(size)) return false;
  if (size) std::memcpy(data_, bytes, size);
  return true;
}
