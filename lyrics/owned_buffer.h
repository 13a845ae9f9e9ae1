// A heap byte buffer with one owner, and checked array allocation. The
// loaders allocate with malloc so that a failure is a result, not an
// exception.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

class OwnedBuffer {
 public:
  OwnedBuffer() = default;
  ~OwnedBuffer() { std::free(data_); }
  OwnedBuffer(const OwnedBuffer&) = delete;
  OwnedBuffer& operator=(const OwnedBuffer&) = delete;
  OwnedBuffer(OwnedBuffer&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  OwnedBuffer& operator=(OwnedBuffer&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }

  // Replaces the contents with `size` uninitialised bytes (at least one
  // byte is allocated, so that an empty file still has a buffer).
  bool Allocate(size_t size) {
    std::free(data_);
    size_ = 0;
    data_ = static_cast<char*>(std::malloc(size ? size : 1));
    if (!data_) return false;
    size_ = size;
    return true;
  }
  // Takes a copy of `size` bytes.
  bool Assign(const void* bytes, size_t size);
  // Appends `count` zero bytes (the text parsers want NUL bytes after the
  // file's last byte); the buffer is unchanged on failure.
  bool AppendZeros(size_t count);

  char* data() const { return data_; }
  size_t size() const { return size_; }
  // Gives up ownership; the caller frees with std::free.
  char* Release() {
    char* data = data_;
    data_ = nullptr;
    size_ = 0;
    return data;
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
};

// malloc for `count` elements of T; null on overflow or failure.
template <typename T>
T* AllocateArray(size_t count) {
  if (count > SIZE_MAX / sizeof(T)) return nullptr;
  return static_cast<T*>(std::malloc(count ? count * sizeof(T) : 1));
}
