// Where the samples of a RIFF WAVE file lie and what they are, read from the
// file's first bytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct PcmFormat {
  uint32_t sampleRate = 0;
  uint16_t channels = 0;
  uint16_t bitsPerSample = 0;  // bits of each sample's container: 8, 16, 24, 32 or 64
  uint16_t blockAlign = 0;     // bytes per frame
  bool isFloat = false;        // IEEE float samples (32 or 64 bits)
};

struct WavLayout {
  PcmFormat format;
  uint64_t dataOffset = 0;  // file offset of the first sample
  uint64_t dataSize = 0;    // bytes of whole frames
};

// Reads the RIFF header, the "fmt " chunk and the start of the "data" chunk
// from `head` (the file's first `headSize` bytes of `fileSize`). Accepts
// integer PCM of 8 to 32 bits, float of 32 or 64 bits, plain or
// WAVE_FORMAT_EXTENSIBLE. A data size that runs past the end of the file
// (a writer that never finished) is cut to the bytes there are. False for
// anything else.
bool ParseWavLayout(const uint8_t* head, size_t headSize, uint64_t fileSize, WavLayout* layout);

// Length of `frames` frames at `sampleRate` in whole centiseconds, held
// within a signed 32-bit time.
int32_t FramesToCentiseconds(uint64_t frames, uint32_t sampleRate);
