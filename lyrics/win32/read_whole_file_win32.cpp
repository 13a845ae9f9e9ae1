#include <windows.h>

#include <cstring>

#include "lyrics/read_whole_file.h"

LoadStatus ReadWholeFile(const char* path, OwnedBuffer& contents) {
  if (!path || std::strlen(path) > kMaxPathLength) return LoadStatus::Invalid;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LoadStatus::Invalid;

  LoadStatus status = LoadStatus::Invalid;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if (size != INVALID_FILE_SIZE && high == 0) {
    if (!contents.Allocate(size)) {
      status = LoadStatus::OutOfMemory;
    } else {
      DWORD done = 0;
      status = LoadStatus::Loaded;
      while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file, contents.data() + done, size - done, &got, nullptr) || got == 0) {
          status = LoadStatus::Invalid;
          break;
        }
        done += got;
      }
      if (status != LoadStatus::Loaded) contents = OwnedBuffer();
    }
  }
  CloseHandle(file);
  return status;
}

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }
