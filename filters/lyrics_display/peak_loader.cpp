#include "filters/lyrics_display/peak_loader.h"

#include <vfwmsgs.h>

#include <new>
#include <vector>

namespace {

constexpr DWORD kHeadBytes = 64 * 1024;
constexpr DWORD kPieceBytes = 1024 * 1024;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

HRESULT LastError() {
  DWORD error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

bool SeekTo(HANDLE file, uint64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = LONGLONG(offset);
  return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

}  // namespace

HRESULT LoadPeaks(const wchar_t* path, PeakTable* table) {
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return LastError();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return LastError();
  std::vector<uint8_t> buffer;
  buffer.resize(kPieceBytes);
  DWORD got = 0;
  if (!ReadFile(file.get(), buffer.data(), kHeadBytes, &got, nullptr)) return LastError();
  WavLayout layout;
  if (!ParseWavLayout(buffer.data(), got, uint64_t(size.QuadPart), &layout)) {
    return VFW_E_INVALID_FILE_FORMAT;
  }
  if (!SeekTo(file.get(), layout.dataOffset)) return LastError();
  PeakTableBuilder builder(layout.format);
  builder.Reserve(layout.dataSize / layout.format.blockAlign);
  for (uint64_t left = layout.dataSize; left > 0;) {
    DWORD want = left < kPieceBytes ? DWORD(left) : kPieceBytes;
    if (!ReadFile(file.get(), buffer.data(), want, &got, nullptr)) return LastError();
    if (got == 0) break;  // the file shrank while we read it
    builder.Add(buffer.data(), got);
    left -= got;
  }
  *table = builder.Finish();
  return S_OK;
}
