#include "lyrics/riff_midi.h"

#include <cstdint>
#include <cstring>

#include "lyrics/byte_order.h"

namespace {

constexpr size_t kChunkHeaderSize = 8;  // id and little-endian size
constexpr size_t kRiffHeaderSize = 12;  // "RIFF", size, form type

}  // namespace

RiffMidiResult FindRiffMidiData(const unsigned char* file, size_t fileSize,
                                const unsigned char*& data, size_t& size) {
  data = file;
  size = fileSize;
  if (fileSize < kRiffHeaderSize || std::memcmp(file, "RIFF", 4) != 0 ||
      std::memcmp(file + 8, "RMID", 4) != 0) {
    return RiffMidiResult::Plain;
  }
  // Sub-chunks start inside the RIFF chunk as it declares itself (and inside
  // the file); each is padded to an even size.
  uint64_t riffEnd = uint64_t{kChunkHeaderSize} + ReadLe32(file + 4);
  if (riffEnd > fileSize) riffEnd = fileSize;
  uint64_t pos = kRiffHeaderSize;
  while (pos + kChunkHeaderSize <= riffEnd) {
    const uint64_t chunkSize = ReadLe32(file + pos + 4);
    const uint64_t contents = pos + kChunkHeaderSize;
    if (std::memcmp(file + pos, "data", 4) == 0) {
      // A chunk cut short by the end of the file is a short read.
      if (chunkSize > fileSize - contents) return RiffMidiResult::NoData;
      data = file + contents;
      size = static_cast<size_t>(chunkSize);
      return RiffMidiResult::Wrapped;
    }
    pos = contents + chunkSize + (chunkSize & 1);
  }
  data = nullptr;
  size = 0;
  return RiffMidiResult::NoData;
}
