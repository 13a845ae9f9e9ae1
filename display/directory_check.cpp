#include "display/directory_check.h"

#include <cstring>

namespace {

// Whether the last character of the `length` bytes is a backslash. A
// double-byte character may have a backslash as its trail byte, so the text
// is walked from the start.
bool EndsInBackslash(const char* path, size_t length, LeadBytePredicate isLead) {
  size_t last = 0;
  for (size_t pos = 0; pos < length; pos += CharacterSize(path, pos, length, isLead)) last = pos;
  return length > 0 && last == length - 1 && path[last] == '\\';
}

}  // namespace

bool CheckDirectoryWith(char (&path)[kDirectoryBufferSize], LeadBytePredicate isLead,
                        DirectorySearch search) {
  path[kDirectoryBufferSize - 1] = '\0';
  const size_t length = std::strlen(path);
  if (length == 0 || length > kMaxDirectoryLength) return false;

  // `kept` is where the directory ends once its trailing backslash is cut.
  // The three bytes from there are saved, so that the search pattern leaves
  // no trace in the buffer.
  const size_t kept = EndsInBackslash(path, length, isLead) ? length - 1 : length;
  // A lone backslash would be kept as an empty path, which means no directory.
  if (kept == 0) return false;
  char saved[3];
  std::memcpy(saved, path + kept, sizeof saved);
  path[kept] = '\\';
  path[kept + 1] = '*';
  path[kept + 2] = '\0';

  const bool found = search(path);
  std::memcpy(path + kept, saved, sizeof saved);
  if (found) path[kept] = '\0';
  return found;
}
