// The waveform's peaks against a plain scan of the samples, and the reading
// of WAVE headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "filters/core/peak_table.h"

namespace {

// A song as 16-bit values per channel and the bytes of one sample format.
struct TestSong {
  std::vector<int16_t> samples;  // interleaved
  std::vector<uint8_t> bytes;
};

TestSong MakeSong(const PcmFormat& format, size_t frames, unsigned seed) {
  std::mt19937 rng(seed);
  TestSong song;
  double level = 0;
  for (size_t i = 0; i < frames * format.channels; ++i) {
    // A wandering signal with loud and quiet stretches.
    level = std::clamp(level + std::uniform_real_distribution<double>(-0.05, 0.05)(rng), -1.0, 1.0);
    int16_t v = int16_t(level * 32000);
    if (format.bitsPerSample == 8) v = int16_t(v & ~0xFF);
    song.samples.push_back(v);
    uint8_t b[8] = {};
    if (format.isFloat && format.bitsPerSample == 32) {
      float f = float(v) / 32767.0f;
      memcpy(b, &f, 4);
    } else if (format.isFloat) {
      double d = double(v) / 32767.0;
      memcpy(b, &d, 8);
    } else if (format.bitsPerSample == 8) {
      b[0] = uint8_t((v >> 8) + 128);
    } else {
      // The 16-bit value in the top bytes of the container.
      size_t n = format.bitsPerSample / 8;
      b[n - 2] = uint8_t(v & 0xFF);
      b[n - 1] = uint8_t(uint16_t(v) >> 8);
    }
    song.bytes.insert(song.bytes.end(), b, b + format.bitsPerSample / 8);
  }
  return song;
}

PcmFormat Format(uint16_t channels, uint16_t bits, bool isFloat) {
  PcmFormat f;
  f.sampleRate = 8000;
  f.channels = channels;
  f.bitsPerSample = bits;
  f.blockAlign = uint16_t(channels * bits / 8);
  f.isFloat = isFloat;
  return f;
}

// Lowest and highest sample of frames [from, to).
Peak Scan(const TestSong& song, unsigned channels, int64_t from, int64_t to) {
  int64_t frames = int64_t(song.samples.size() / channels);
  from = std::max<int64_t>(from, 0);
  to = std::min(to, frames);
  Peak p{32767, -32768};
  for (int64_t i = from * channels; i < to * channels; ++i) {
    p.low = std::min(p.low, song.samples[size_t(i)]);
    p.high = std::max(p.high, song.samples[size_t(i)]);
  }
  return p;
}

TEST(PeakTable, ColumnsHoldTheirSamplesAndLittleAroundThem) {
  const PcmFormat formats[] = {Format(2, 16, false), Format(1, 8, false), Format(2, 24, false),
                               Format(1, 32, false), Format(2, 32, true), Format(1, 64, true)};
  for (const PcmFormat& format : formats) {
    SCOPED_TRACE(testing::Message() << format.bitsPerSample << (format.isFloat ? " float" : ""));
    const size_t frames = 100000;
    TestSong song = MakeSong(format, frames, format.bitsPerSample);
    // Fed in pieces that split frames, the table is the same as fed whole.
    PeakTableBuilder builder(format);
    std::mt19937 rng(1);
    for (size_t at = 0; at < song.bytes.size();) {
      size_t piece = std::min(song.bytes.size() - at, size_t(rng() % 5000));
      builder.Add(song.bytes.data() + at, piece);
      at += piece;
    }
    PeakTable table = builder.Finish();
    ASSERT_EQ(table.FrameCount(), frames);
    for (double perColumn : {3.5, 40.0, 333.3, 2500.0, 20000.0}) {
      const int columns = 40;
      double first = std::uniform_real_distribution<double>(-1000, frames)(rng);
      Peak out[columns];
      table.Columns(first, perColumn, columns, out);
      for (int c = 0; c < columns; ++c) {
        int64_t from = int64_t(std::floor(first + c * perColumn));
        int64_t to = std::max(int64_t(std::floor(first + (c + 1) * perColumn)), from + 1);
        Peak inside = Scan(song, format.channels, from, to);
        if (inside.low > inside.high) {
          EXPECT_GT(out[c].low, out[c].high) << c;
          continue;
        }
        // Holds every sample of the column, and nothing from farther than
        // one column (or one finest bucket) away.
        int64_t reach = std::max<int64_t>(to - from, PeakTable::kBaseFrames);
        Peak around = Scan(song, format.channels, from - reach, to + reach);
        EXPECT_LE(out[c].low, inside.low + 1) << c;
        EXPECT_GE(out[c].high, inside.high - 1) << c;
        EXPECT_GE(out[c].low, around.low - 1) << c;
        EXPECT_LE(out[c].high, around.high + 1) << c;
      }
    }
  }
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

// A WAVE header with an odd-sized chunk before "fmt " and a LIST chunk
// between it and "data".
std::vector<uint8_t> WaveHeader(uint16_t tag, uint16_t channels, uint16_t bits, uint32_t dataSize) {
  std::vector<uint8_t> h;
  PutId(h, "RIFF");
  Put32(h, 0);
  PutId(h, "WAVE");
  PutId(h, "junk");
  Put32(h, 3);
  h.insert(h.end(), {1, 2, 3, 0});
  PutId(h, "fmt ");
  Put32(h, tag == 0xFFFE ? 40 : 16);
  Put16(h, tag);
  Put16(h, channels);
  Put32(h, 44100);
  Put32(h, 44100u * channels * bits / 8);
  Put16(h, uint16_t(channels * bits / 8));
  Put16(h, bits);
  if (tag == 0xFFFE) {
    Put16(h, 22);
    Put16(h, bits);
    Put32(h, 3);
    Put16(h, 3);  // sub-format: IEEE float
    h.insert(h.end(), 14, 0);
  }
  PutId(h, "LIST");
  Put32(h, 4);
  PutId(h, "INFO");
  PutId(h, "data");
  Put32(h, dataSize);
  return h;
}

TEST(WavLayout, FindsTheSamplesAndRefusesWhatItCannotShow) {
  WavLayout layout;
  std::vector<uint8_t> h = WaveHeader(1, 2, 16, 4000);
  ASSERT_TRUE(ParseWavLayout(h.data(), h.size(), h.size() + 4000, &layout));
  EXPECT_EQ(layout.dataOffset, h.size());
  EXPECT_EQ(layout.dataSize, 4000u);
  EXPECT_EQ(layout.format.blockAlign, 4);
  // An unfinished file: the data stops where the file does, on a frame.
  ASSERT_TRUE(ParseWavLayout(h.data(), h.size(), h.size() + 1003, &layout));
  EXPECT_EQ(layout.dataSize, 1000u);
  h = WaveHeader(0xFFFE, 2, 32, 0xFFFFFFFF);
  ASSERT_TRUE(ParseWavLayout(h.data(), h.size(), h.size() + 800, &layout));
  EXPECT_TRUE(layout.format.isFloat);
  EXPECT_EQ(layout.dataSize, 800u);
  h = WaveHeader(2, 2, 16, 100);  // ADPCM
  EXPECT_FALSE(ParseWavLayout(h.data(), h.size(), h.size() + 100, &layout));
  h = WaveHeader(1, 2, 12, 100);
  EXPECT_FALSE(ParseWavLayout(h.data(), h.size(), h.size() + 100, &layout));
  h = WaveHeader(1, 2, 16, 100);
  EXPECT_FALSE(ParseWavLayout(h.data(), h.size() - 8, h.size() + 100, &layout));
  // Any damage to a header is refused or read within its bytes.
  std::mt19937 rng(3);
  for (int i = 0; i < 20000; ++i) {
    std::vector<uint8_t> broken = WaveHeader(1, 2, 16, 100);
    for (int k = 0; k < 3; ++k) broken[rng() % broken.size()] = uint8_t(rng());
    broken.resize(rng() % (broken.size() + 1));
    if (ParseWavLayout(broken.data(), broken.size(), 1000, &layout)) {
      EXPECT_LE(layout.dataOffset + layout.dataSize, 1000u);
    }
  }
  EXPECT_EQ(FramesToCentiseconds(44100 * 61 + 22050, 44100), 6150);
  EXPECT_EQ(FramesToCentiseconds(uint64_t(1) << 60, 8000), 2147483647);
}

}  // namespace
