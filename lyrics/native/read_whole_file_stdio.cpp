#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "lyrics/read_whole_file.h"

LoadStatus ReadWholeFile(const char* path, OwnedBuffer& contents) {
  if (!path || std::strlen(path) > kMaxPathLength) return LoadStatus::Invalid;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return LoadStatus::Invalid;

  LoadStatus status = LoadStatus::Invalid;
  // Only regular files: a directory opens too, with no meaningful size.
  struct stat info;
  long size = -1;
  if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) &&
      std::fseek(file, 0, SEEK_END) == 0) {
    size = std::ftell(file);
  }
  if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
    if (!contents.Allocate(static_cast<size_t>(size))) {
      status = LoadStatus::OutOfMemory;
    } else if (std::fread(contents.data(), 1, contents.size(), file) == contents.size()) {
      status = LoadStatus::Loaded;
    } else {
      contents = OwnedBuffer();
    }
  }
  std::fclose(file);
  return status;
}

bool SystemLeadByte(unsigned char) { return false; }
