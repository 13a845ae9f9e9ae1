#include "filters/core/wav_layout.h"

#include <cstring>
#include <limits>

namespace {

uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

bool ReadFormat(const uint8_t* body, uint32_t size, PcmFormat* format) {
  if (size < 16) return false;
  uint16_t tag = Read16(body);
  format->channels = Read16(body + 2);
  format->sampleRate = Read32(body + 4);
  format->blockAlign = Read16(body + 12);
  format->bitsPerSample = Read16(body + 14);
  if (tag == kFormatExtensible) {
    // The sub-format GUID begins with the format tag it stands for.
    if (size < 40) return false;
    tag = Read16(body + 24);
  }
  format->isFloat = tag == kFormatFloat;
  if (tag != kFormatPcm && tag != kFormatFloat) return false;
  uint16_t bits = format->bitsPerSample;
  bool known = format->isFloat ? (bits == 32 || bits == 64)
                               : (bits == 8 || bits == 16 || bits == 24 || bits == 32);
  return known && format->channels >= 1 && format->channels <= 64 && format->sampleRate > 0 &&
         format->blockAlign == format->channels * (bits / 8);
}

}  // namespace

bool ParseWavLayout(const uint8_t* head, size_t headSize, uint64_t fileSize, WavLayout* layout) {
  if (headSize < 12 || memcmp(head, "RIFF", 4) != 0 || memcmp(head + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false;
  uint64_t pos = 12;
  while (pos + 8 <= headSize) {
    const uint8_t* chunk = head + static_cast<size_t>(pos);
    uint32_t size = Read32(chunk + 4);
    if (memcmp(chunk, "fmt ", 4) == 0) {
      if (size > headSize - pos - 8 || !ReadFormat(chunk + 8, size, &layout->format)) return false;
      haveFormat = true;
    } else if (memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return false;
      layout->dataOffset = pos + 8;
      if (layout->dataOffset > fileSize) return false;
      uint64_t available = fileSize - layout->dataOffset;
      uint64_t bytes = size < available ? size : available;
      layout->dataSize = bytes - bytes % layout->format.blockAlign;
      return true;
    }
    // Chunks are padded to an even size.
    pos += 8 + uint64_t(size) + (size & 1u);
  }
  return false;
}

int32_t FramesToCentiseconds(uint64_t frames, uint32_t sampleRate) {
  if (sampleRate == 0) return 0;
  uint64_t cs = frames / sampleRate * 100 + frames % sampleRate * 100 / sampleRate;
  uint64_t most = uint64_t(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(cs < most ? cs : most);
}
