#include "filters/core/peak_table.h"

#include <algorithm>
#include <cstring>

namespace {

// Each sample as a 16-bit value, by the format's container.
inline int32_t SampleU8(const uint8_t* p) { return (int32_t(p[0]) - 128) * 256; }
inline int32_t SampleS16(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }
inline int32_t SampleS24(const uint8_t* p) { return int16_t(uint16_t(p[1] | p[2] << 8)); }
inline int32_t SampleS32(const uint8_t* p) { return int16_t(uint16_t(p[2] | p[3] << 8)); }
inline int32_t ScaleFloat(double v) {
  if (!(v > -1.0)) return -32768;  // also NaN
  if (v >= 1.0) return 32767;
  return static_cast<int32_t>(v * 32767.0);
}
inline int32_t SampleF32(const uint8_t* p) {
  float v;
  memcpy(&v, p, sizeof v);
  return ScaleFloat(v);
}
inline int32_t SampleF64(const uint8_t* p) {
  double v;
  memcpy(&v, p, sizeof v);
  return ScaleFloat(v);
}

template <int32_t (*Sample)(const uint8_t*), size_t Bytes>
void Scan(const uint8_t* p, size_t frames, unsigned channels, uint32_t bucketFrames,
          uint32_t* inBucket, int32_t* low, int32_t* high, std::vector<Peak>& buckets) {
  for (size_t f = 0; f < frames; ++f) {
    for (unsigned c = 0; c < channels; ++c, p += Bytes) {
      int32_t v = Sample(p);
      *low = std::min(*low, v);
      *high = std::max(*high, v);
    }
    if (++*inBucket == bucketFrames) {
      buckets.push_back({int16_t(*low), int16_t(*high)});
      *inBucket = 0;
      *low = 32767;
      *high = -32768;
    }
  }
}

Peak Merge(Peak a, Peak b) {
  return {std::min(a.low, b.low), std::max(a.high, b.high)};
}

constexpr Peak kNoSample = {1, 0};

}  // namespace

Peak PeakTable::Range(uint64_t first, uint64_t count) const {
  if (first >= frames_ || count == 0) return kNoSample;
  count = std::min(count, frames_ - first);
  int level = 0;
  uint64_t bucket = kBaseFrames;
  while (level + 1 < kLevels && bucket * kLevelFactor <= count &&
         !levels_[level + 1].empty()) {
    ++level;
    bucket *= kLevelFactor;
  }
  const std::vector<Peak>& peaks = levels_[level];
  size_t from = static_cast<size_t>(first / bucket);
  size_t to = static_cast<size_t>((first + count + bucket - 1) / bucket);
  to = std::min(to, peaks.size());
  Peak result = kNoSample;
  if (from < to) result = peaks[from];
  for (size_t i = from + 1; i < to; ++i) result = Merge(result, peaks[i]);
  return result;
}

void PeakTable::Columns(double firstFrame, double framesPerColumn, int columns, Peak* out) const {
  for (int c = 0; c < columns; ++c) {
    double a = firstFrame + c * framesPerColumn;
    double b = a + framesPerColumn;
    if (b <= 0 || a >= double(frames_)) {
      out[c] = kNoSample;
      continue;
    }
    uint64_t from = a > 0 ? uint64_t(a) : 0;
    uint64_t to = std::max<uint64_t>(uint64_t(b), from + 1);
    out[c] = Range(from, to - from);
  }
}

PeakTableBuilder::PeakTableBuilder(const PcmFormat& format)
    : format_(format), low_(32767), high_(-32768) {
  table_.sampleRate_ = format.sampleRate;
}

void PeakTableBuilder::Reserve(uint64_t frames) {
  table_.levels_[0].reserve(static_cast<size_t>(frames / PeakTable::kBaseFrames + 1));
}

void PeakTableBuilder::Add(const uint8_t* bytes, size_t size) {
  size_t frameBytes = format_.blockAlign;
  if (frameBytes == 0 || frameBytes > sizeof carry_) return;
  if (carried_ > 0) {
    size_t take = std::min(frameBytes - carried_, size);
    memcpy(carry_ + carried_, bytes, take);
    carried_ += take;
    bytes += take;
    size -= take;
    if (carried_ < frameBytes) return;
    AddFrames(carry_, 1);
    carried_ = 0;
  }
  size_t frames = size / frameBytes;
  AddFrames(bytes, frames);
  carried_ = size - frames * frameBytes;
  memcpy(carry_, bytes + frames * frameBytes, carried_);
}

void PeakTableBuilder::AddFrames(const uint8_t* p, size_t frames) {
  unsigned ch = format_.channels;
  const uint32_t n = PeakTable::kBaseFrames;
  std::vector<Peak>& out = table_.levels_[0];
  switch (format_.isFloat ? -format_.bitsPerSample : format_.bitsPerSample) {
    case 8: Scan<SampleU8, 1>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    case 16: Scan<SampleS16, 2>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    case 24: Scan<SampleS24, 3>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    case 32: Scan<SampleS32, 4>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    case -32: Scan<SampleF32, 4>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    case -64: Scan<SampleF64, 8>(p, frames, ch, n, &inBucket_, &low_, &high_, out); break;
    default: return;
  }
  table_.frames_ += frames;
}

void PeakTableBuilder::CloseBucket() {
  if (inBucket_ == 0) return;
  table_.levels_[0].push_back({int16_t(low_), int16_t(high_)});
  inBucket_ = 0;
  low_ = 32767;
  high_ = -32768;
}

PeakTable PeakTableBuilder::Finish() {
  CloseBucket();
  carried_ = 0;
  int32_t loudest = 0;
  for (const Peak& p : table_.levels_[0]) {
    loudest = std::max({loudest, -int32_t(p.low), int32_t(p.high)});
  }
  table_.loudest_ = std::min(loudest, 32767);
  for (int level = 1; level < PeakTable::kLevels; ++level) {
    const std::vector<Peak>& below = table_.levels_[level - 1];
    std::vector<Peak>& above = table_.levels_[level];
    above.clear();
    for (size_t i = 0; i < below.size(); i += PeakTable::kLevelFactor) {
      size_t end = std::min(below.size(), i + PeakTable::kLevelFactor);
      Peak merged = below[i];
      for (size_t j = i + 1; j < end; ++j) merged = Merge(merged, below[j]);
      above.push_back(merged);
    }
  }
  PeakTable done = std::move(table_);
  table_ = PeakTable();
  table_.sampleRate_ = format_.sampleRate;
  return done;
}
