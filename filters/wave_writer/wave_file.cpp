#include "filters/wave_writer/wave_file.h"

#include <cstring>
#include <cwchar>

namespace {

// Large writes keep the decoding fast; each sample is a few kilobytes.
constexpr size_t kBufferBytes = 256 * 1024;
// The RIFF size field counts everything after its own 8 bytes in 32 bits.
constexpr uint64_t kMaxRiffBytes = 0xFFFFFFFFull;

void PutTag(std::vector<BYTE>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void PutDword(std::vector<BYTE>& out, DWORD value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

HRESULT LastError() {
  const DWORD error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace

HRESULT WaveFile::Create(const wchar_t* path, const WAVEFORMATEX& format, size_t formatBytes) {
  Abandon();
  if (!path || !*path || formatBytes < 16 || formatBytes > 0xFFFF) return E_INVALIDARG;
  std::vector<BYTE> header;
  PutTag(header, "RIFF");
  PutDword(header, 0);  // set by Finish
  PutTag(header, "WAVE");
  PutTag(header, "fmt ");
  PutDword(header, static_cast<DWORD>(formatBytes));
  const BYTE* formatData = reinterpret_cast<const BYTE*>(&format);
  header.insert(header.end(), formatData, formatData + formatBytes);
  if (formatBytes % 2) header.push_back(0);
  PutTag(header, "data");
  PutDword(header, 0);  // set by Finish

  file_ = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return LastError();
  path_.assign(path, path + wcslen(path) + 1);
  headerBytes_ = static_cast<DWORD>(header.size());
  dataBytes_ = 0;
  buffer_.clear();
  buffer_.reserve(kBufferBytes);
  const HRESULT hr = WriteAt(0, header.data(), headerBytes_);
  if (FAILED(hr)) Abandon();
  return hr;
}

HRESULT WaveFile::Append(const BYTE* data, size_t size) {
  if (!IsOpen()) return E_UNEXPECTED;
  if (headerBytes_ - 8 + dataBytes_ + size + 1 > kMaxRiffBytes) {
    return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
  }
  while (size > 0) {
    const size_t room = kBufferBytes - buffer_.size();
    const size_t part = size < room ? size : room;
    buffer_.insert(buffer_.end(), data, data + part);
    data += part;
    size -= part;
    dataBytes_ += part;
    if (buffer_.size() == kBufferBytes) {
      const HRESULT hr = Flush();
      if (FAILED(hr)) return hr;
    }
  }
  return S_OK;
}

HRESULT WaveFile::Flush() {
  if (buffer_.empty()) return S_OK;
  DWORD written = 0;
  if (!WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr)) {
    return LastError();
  }
  if (written != buffer_.size()) return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
  buffer_.clear();
  return S_OK;
}

HRESULT WaveFile::WriteAt(DWORD offset, const void* data, DWORD size) {
  if (SetFilePointer(file_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
          INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    return LastError();
  }
  DWORD written = 0;
  if (!WriteFile(file_, data, size, &written, nullptr)) return LastError();
  return written == size ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
}

HRESULT WaveFile::Finish() {
  if (!IsOpen()) return E_UNEXPECTED;
  if (dataBytes_ % 2) buffer_.push_back(0);  // RIFF chunks have even sizes
  HRESULT hr = Flush();
  const DWORD dataSize = static_cast<DWORD>(dataBytes_);
  const DWORD riffSize = static_cast<DWORD>(headerBytes_ - 8 + dataBytes_ + dataBytes_ % 2);
  if (SUCCEEDED(hr)) hr = WriteAt(headerBytes_ - 4, &dataSize, 4);
  if (SUCCEEDED(hr)) hr = WriteAt(4, &riffSize, 4);
  if (SUCCEEDED(hr) && !FlushFileBuffers(file_)) hr = LastError();
  if (FAILED(hr)) {
    Abandon();
    return hr;
  }
  const BOOL closed = CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (!closed) {
    hr = LastError();
    DeleteFileW(path_.data());
  }
  return hr;
}

void WaveFile::Abandon() {
  if (!IsOpen()) return;
  CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  // A file that cannot be deleted keeps its zero sizes: it does not look
  // complete either.
  DeleteFileW(path_.data());
  buffer_.clear();
  dataBytes_ = 0;
}
