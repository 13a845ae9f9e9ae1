#include "editor/program_files.h"

#include <cstring>

bool ProgramFilePath(const char* fileName, size_t maxDirectoryLength, char (&path)[MAX_PATH]) {
  path[0] = '\0';
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const char* name = FileNamePart(program);
  if (name == program) return false;
  const size_t directoryLength = static_cast<size_t>(name - program);
  const size_t nameLength = std::strlen(fileName);
  if (directoryLength > maxDirectoryLength || directoryLength + nameLength >= MAX_PATH) {
    return false;
  }
  std::memcpy(path, program, directoryLength);
  std::memcpy(path + directoryLength, fileName, nameLength + 1);
  return true;
}

// Steps by characters, so that the trail byte of a double-byte character
// is never taken for a backslash.
const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}
