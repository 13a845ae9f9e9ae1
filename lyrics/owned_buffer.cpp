#include "lyrics/owned_buffer.h"

#include <cstring>

bool OwnedBuffer::Assign(const void* bytes, size_t size) {
  if (!Allocate(size)) return false;
  if (size) std::memcpy(data_, bytes, size);
  return true;
}

bool OwnedBuffer::AppendZeros(size_t count) {
  if (count > SIZE_MAX - size_) return false;
  const size_t grown = size_ + count;
  char* data = static_cast<char*>(std::realloc(data_, grown ? grown : 1));
  if (!data) return false;
  std::memset(data + size_, 0, count);
  data_ = data;
  size_ = grown;
  return true;
}
