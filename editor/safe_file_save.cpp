#include "editor/safe_file_save.h"

#include <windows.h>

#include <cstring>

#include "editor/program_files.h"

namespace {

// Closes the handle on every path.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written != chunk) return false;
    bytes += chunk;
    size -= chunk;
  }
  return true;
}

// Whether the file at `path`, if there is one, may be replaced now: not
// read-only and not held open by anyone who denies others to delete it.
bool CanReplace(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  FileHandle probe(CreateFileA(path, DELETE | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.valid();
}

}  // namespace

bool SaveFileSafely(const char* path, const void* data, size_t size) {
  const size_t pathLength = std::strlen(path);
  if (pathLength == 0 || pathLength >= MAX_PATH) return false;
  // Checked before anything is written: on Windows the replacement below
  // fails the same way, but Wine lets a rename pass over a file that is
  // read-only or held open without sharing.
  if (!CanReplace(path)) return false;
  char folder[MAX_PATH];
  const size_t folderLength = static_cast<size_t>(FileNamePart(path) - path);
  std::memcpy(folder, path, folderLength);
  folder[folderLength] = '\0';
  if (folderLength == 0) std::strcpy(folder, ".");
  char temporary[MAX_PATH];
  // Creates the new file under a name no other file has.
  if (!GetTempFileNameA(folder, "kms", 0, temporary)) return false;
  bool written = false;
  {
    FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file.valid() && WriteAll(file.get(), data, size) && FlushFileBuffers(file.get()) &&
              file.Close();
  }
  if (written &&
      MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary);
  return false;
}
