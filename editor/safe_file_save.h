// Writing a file so that a failure never costs the file it replaces: the
// bytes go to a new file in the same folder, which is flushed to the disk
// and only then put in the old file's place. On any failure the new file
// is removed and the old one stays as it was.
#pragma once

#include <cstddef>

// Writes `size` bytes at `data` as the file at `path` (a new file, or one
// that replaces the file there). False when anything failed.
bool SaveFileSafely(const char* path, const void* data, size_t size);
