#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <climits>
#include <cstring>

#include "lyrics/midi_file.h"
#include "lyrics/midi_parser.h"
#include "lyrics/read_whole_file.h"

namespace {

// Finds the MIDI data of the open file and leaves the file at its start: the
// "data" chunk of a RIFF "RMID" file, otherwise the whole file.
bool LocateMidiData(HMMIO file, DWORD& size) {
  MMCKINFO riff = {};
  if (mmioDescend(file, &riff, nullptr, 0) == MMSYSERR_NOERROR && riff.ckid == FOURCC_RIFF &&
      riff.fccType == mmioFOURCC('R', 'M', 'I', 'D')) {
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    // A chunk that claims more than the file holds would be a short read;
    // fail before allocating for it.
    const LONG fileSize = mmioSeek(file, 0, SEEK_END);
    if (fileSize < 0 || chunk.dwDataOffset > static_cast<DWORD>(fileSize) ||
        chunk.cksize > static_cast<DWORD>(fileSize) - chunk.dwDataOffset) {
      return false;
    }
    if (mmioSeek(file, static_cast<LONG>(chunk.dwDataOffset), SEEK_SET) !=
        static_cast<LONG>(chunk.dwDataOffset)) {
      return false;
    }
    size = chunk.cksize;
    return true;
  }
  const LONG fileSize = mmioSeek(file, 0, SEEK_END);
  if (fileSize < 0 || mmioSeek(file, 0, SEEK_SET) != 0) return false;
  size = static_cast<DWORD>(fileSize);
  return true;
}

}  // namespace

LoadStatus ReadMidiFile(const char* path, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  if (!path) return LoadStatus::Invalid;
  const size_t length = std::strlen(path);
  if (length > kMaxPathLength) return LoadStatus::Invalid;
  // mmioOpenA takes a writable name.
  char name[kMaxPathLength + 1];
  std::memcpy(name, path, length + 1);
  // The DOS I/O procedure by name: otherwise mmioOpenA reads a '+' in the
  // path as naming an element of a compound file.
  MMIOINFO info = {};
  info.fccIOProc = FOURCC_DOS;
  HMMIO file = mmioOpenA(name, &info, MMIO_READ | MMIO_ALLOCBUF);
  if (!file) return LoadStatus::Invalid;

  LoadStatus status = LoadStatus::Invalid;
  DWORD size = 0;
  if (LocateMidiData(file, size) && size > 8 && size <= LONG_MAX) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (!block) {
      status = LoadStatus::OutOfMemory;
    } else {
      void* bytes = GlobalLock(block);
      if (!bytes) {
        status = LoadStatus::OutOfMemory;
      } else {
        const LONG wanted = static_cast<LONG>(size);
        if (mmioRead(file, static_cast<HPSTR>(bytes), wanted) == wanted) {
          status = ParseMidiLyrics(static_cast<const unsigned char*>(bytes), size, SystemLeadByte,
                                   lyrics);
        }
        GlobalUnlock(block);
      }
      GlobalFree(block);
    }
  }
  mmioClose(file, 0);
  return status;
}
