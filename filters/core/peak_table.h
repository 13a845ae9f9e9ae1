// The waveform's peaks: the lowest and highest sample of every small bucket
// of frames, made in one pass over the song's samples, with coarser levels
// above it, so that the minimum and maximum under any pixel column cost a
// handful of lookups whatever the zoom and the song's length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "filters/core/wav_layout.h"

// Lowest and highest sample, scaled to 16 bits; low > high where there is
// no sample.
struct Peak {
  int16_t low;
  int16_t high;
};

class PeakTable {
 public:
  static constexpr uint32_t kBaseFrames = 16;  // frames per bucket of level 0
  static constexpr uint32_t kLevelFactor = 8;  // buckets of a level per bucket above
  static constexpr int kLevels = 6;

  uint64_t FrameCount() const { return frames_; }
  uint32_t SampleRate() const { return sampleRate_; }
  // The largest sample magnitude of the song (0 for silence).
  int32_t Loudest() const { return loudest_; }
  bool Empty() const { return frames_ == 0; }

  // Lowest and highest sample of frames [first, first + count), to the
  // resolution of the buckets.
  Peak Range(uint64_t first, uint64_t count) const;

  // One peak per pixel column: column c covers the frames from
  // firstFrame + c * framesPerColumn on.
  void Columns(double firstFrame, double framesPerColumn, int columns, Peak* out) const;

 private:
  friend class PeakTableBuilder;
  std::vector<Peak> levels_[kLevels];
  uint64_t frames_ = 0;
  uint32_t sampleRate_ = 0;
  int32_t loudest_ = 0;
};

// Feeds the song's PCM bytes, in pieces of any size, into a PeakTable.
class PeakTableBuilder {
 public:
  explicit PeakTableBuilder(const PcmFormat& format);
  // Room for a song of `frames` frames, so that adding never reallocates.
  void Reserve(uint64_t frames);
  void Add(const uint8_t* bytes, size_t size);
  // The table of everything added; the builder starts afresh.
  PeakTable Finish();

 private:
  void AddFrames(const uint8_t* bytes, size_t frames);
  void CloseBucket();

  PcmFormat format_;
  PeakTable table_;
  uint8_t carry_[512];  // bytes of a frame split between two pieces
  size_t carried_ = 0;
  int32_t low_, high_;
  uint32_t inBucket_ = 0;
};
