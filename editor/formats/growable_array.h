// A growable array of plain values on malloc for the readers and writers,
// so that a failed allocation is a result. ByteBuilder collects bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "lyrics/owned_buffer.h"

template <class T>
class GrowableArray {
  static_assert(std::is_trivially_copyable<T>::value, "plain values only");

 public:
  GrowableArray() = default;
  ~GrowableArray() { std::free(data_); }
  GrowableArray(const GrowableArray&) = delete;
  GrowableArray& operator=(const GrowableArray&) = delete;

  // Room for `count` more values without moving the array.
  bool Reserve(size_t count) {
    if (count <= capacity_ - size_) return true;
    const size_t limit = SIZE_MAX / sizeof(T) / 2;
    if (count > limit - size_) return false;
    size_t capacity = capacity_ < 64 ? 64 : capacity_;
    while (capacity < size_ + count) capacity *= 2;
    void* grown = std::realloc(data_, capacity * sizeof(T));
    if (!grown) return false;
    data_ = static_cast<T*>(grown);
    capacity_ = capacity;
    return true;
  }
  bool Append(const T* values, size_t count) {
    if (!Reserve(count)) return false;
    if (count) std::memcpy(data_ + size_, values, count * sizeof(T));
    size_ += count;
    return true;
  }
  bool Push(const T& value) { return Append(&value, 1); }
  // Puts `value` before the value at `index` (at the end for size()).
  bool Insert(size_t index, const T& value) {
    if (index > size_ || !Reserve(1)) return false;
    std::memmove(data_ + index + 1, data_ + index, (size_ - index) * sizeof(T));
    data_[index] = value;
    ++size_;
    return true;
  }
  void Clear() { size_ = 0; }
  // Drops the values from `size` on.
  void Truncate(size_t size) {
    if (size < size_) size_ = size;
  }

  T* data() const { return data_; }
  size_t size() const { return size_; }
  T& operator[](size_t index) const { return data_[index]; }

  // Bytes only: the NUL-terminated `text` without its NUL.
  bool AppendString(const char* text) { return Append(text, std::strlen(text)); }
  // Bytes only: a copy of the bytes as an OwnedBuffer.
  bool CopyTo(OwnedBuffer* out) const {
    OwnedBuffer copy;
    if (!copy.Assign(data_, size_)) return false;
    *out = static_cast<OwnedBuffer&&>(copy);
    return true;
  }

 private:
  T* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

using ByteBuilder = GrowableArray<char>;
