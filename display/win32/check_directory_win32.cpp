#include <windows.h>

#include <cstring>

#include "display/win32/check_directory.h"
#include "lyrics/read_whole_file.h"

namespace {

bool MatchesAnyEntry(const char* pattern) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern, &entry);
  if (search != INVALID_HANDLE_VALUE) {
    FindClose(search);
    return true;
  }
  // An empty drive root has no "." entry, so nothing matches; it is still a
  // directory. The pattern is the directory, a backslash and "*".
  char directory[kDirectoryBufferSize];
  const size_t length = std::strlen(pattern) - 1;
  std::memcpy(directory, pattern, length);
  directory[length] = '\0';
  const DWORD attributes = GetFileAttributesA(directory);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool CheckDirectory(char (&path)[kDirectoryBufferSize]) {
  return CheckDirectoryWith(path, SystemLeadByte, MatchesAnyEntry);
}
