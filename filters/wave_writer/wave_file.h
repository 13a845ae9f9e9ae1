// A RIFF WAVE file written front to back. Until Finish succeeds its header
// gives the RIFF and data sizes as 0, so a file left by a crash or a failed
// write never looks complete; Abandon deletes it.
#pragma once

#include <windows.h>

#include <mmreg.h>

#include <cstdint>
#include <vector>

class WaveFile {
 public:
  WaveFile() = default;
  ~WaveFile() { Abandon(); }
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  // Creates or replaces `path` and writes the header for `format` (its
  // `formatBytes` bytes: 16 for plain PCM, 18 + cbSize otherwise).
  HRESULT Create(const wchar_t* path, const WAVEFORMATEX& format, size_t formatBytes);
  // Appends sample data (buffered).
  HRESULT Append(const BYTE* data, size_t size);
  // Writes what is buffered, the pad byte of an odd data chunk and the
  // sizes, and closes the file. The file is complete only on S_OK.
  HRESULT Finish();
  // Closes and deletes an unfinished file; nothing when none is open.
  void Abandon();

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  uint64_t DataBytes() const { return dataBytes_; }

 private:
  HRESULT Flush();
  HRESULT WriteAt(DWORD offset, const void* data, DWORD size);

  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::vector<wchar_t> path_;
  std::vector<BYTE> buffer_;
  DWORD headerBytes_ = 0;
  uint64_t dataBytes_ = 0;
};
