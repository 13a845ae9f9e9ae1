// The decoding graph as the editor builds it, on Wine's DirectShow: the
// wave writer turns WAV, MP3 and WMA into a wave file that matches another
// decoder's, and a failing write leaves no file that looks complete.
#include <windows.h>

#include <dshow.h>
#include <evcode.h>
#include <mmreg.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "filters/filter_ids.h"
#include "filters/tests/graph_support.h"
#include "filters/tests/registered_filters.h"

namespace {

constexpr DWORD kDecodeTimeoutMs = 120000;
// Decoders differ in how much of the encoder's delay and padding they trim
// (Wine's GStreamer decoders trim none): about 0.1 s at 44.1 kHz.
constexpr long kFrameTolerance = 4096;

class DecodingGraph : public RegisteredFilters {
 protected:
  void SetUp() override {
    char directory[MAX_PATH] = {};
    GetTempPathA(sizeof directory, directory);
    target_ = std::string(directory) + "wav.tmp";
    DeleteFileA(target_.c_str());
  }

  // Decodes `source` into the work file; the event that ended it.
  long Decode(const std::string& source) {
    EditorGraph graph;
    const HRESULT hr = BuildDecodingGraph(Widen(source), Widen(target_), &graph);
    EXPECT_EQ(hr, S_OK) << source;
    if (FAILED(hr)) return 0;
    graph.control->Run();
    const long code = WaitForEvent(graph, {EC_COMPLETE, EC_ERRORABORT}, kDecodeTimeoutMs);
    graph.control->Stop();
    return code;
  }

  std::string target_;
};

// The loudness of each 20 ms of the first channel: two decodings of one
// song agree on it closely even where their samples differ.
std::vector<double> Envelope(const WaveData& wave) {
  const size_t frame = wave.format.nBlockAlign;
  const size_t window = wave.format.nSamplesPerSec / 50;
  std::vector<double> envelope;
  for (size_t start = 0; (start + window) * frame <= wave.data.size(); start += window) {
    double sum = 0;
    for (size_t i = start; i < start + window; ++i) {
      const double value = *reinterpret_cast<const short*>(&wave.data[i * frame]);
      sum += value * value;
    }
    envelope.push_back(std::sqrt(sum / window));
  }
  return envelope;
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b, int lag) {
  std::vector<double> x, y;
  for (size_t i = 0; i < a.size(); ++i) {
    const long j = static_cast<long>(i) + lag;
    if (j < 0 || j >= static_cast<long>(b.size())) continue;
    x.push_back(a[i]);
    y.push_back(b[j]);
  }
  const double n = static_cast<double>(x.size());
  double meanX = 0, meanY = 0;
  for (size_t i = 0; i < x.size(); ++i) meanX += x[i] / n, meanY += y[i] / n;
  double xy = 0, xx = 0, yy = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    xy += (x[i] - meanX) * (y[i] - meanY);
    xx += (x[i] - meanX) * (x[i] - meanX);
    yy += (y[i] - meanY) * (y[i] - meanY);
  }
  return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
}

// The decoders start the sound at different offsets (encoder delay):
// the best agreement within 200 ms either way.
double BestCorrelation(const std::vector<double>& a, const std::vector<double>& b) {
  double best = -1;
  for (int lag = -10; lag <= 10; ++lag) {
    const double c = Correlation(a, b, lag);
    if (c > best) best = c;
  }
  return best;
}

TEST_F(DecodingGraph, WaveComesOutAsTheSamePcm) {
  ASSERT_EQ(Decode(SAMPLE_WAV), EC_COMPLETE);
  WaveData source, decoded;
  ASSERT_TRUE(ReadWave(SAMPLE_WAV, &source));
  ASSERT_TRUE(ReadWave(target_, &decoded));
  EXPECT_TRUE(decoded.complete);
  EXPECT_EQ(decoded.format.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(decoded.format.nChannels, source.format.nChannels);
  EXPECT_EQ(decoded.format.nSamplesPerSec, source.format.nSamplesPerSec);
  EXPECT_EQ(decoded.format.wBitsPerSample, source.format.wBitsPerSample);
  EXPECT_EQ(decoded.data.size(), source.data.size());
  EXPECT_TRUE(decoded.data == source.data);
}

TEST_F(DecodingGraph, Mp3AndWmaComeOutLikeAnotherDecodersOutput) {
  struct Song {
    const char* encoded;
    const char* reference;
  };
  for (const Song& song : {Song{TEST_MP3, REFERENCE_MP3}, Song{TEST_WMA, REFERENCE_WMA}}) {
    SCOPED_TRACE(song.encoded);
    ASSERT_EQ(Decode(song.encoded), EC_COMPLETE);
    WaveData reference, decoded;
    ASSERT_TRUE(ReadWave(song.reference, &reference));
    ASSERT_TRUE(ReadWave(target_, &decoded));
    EXPECT_TRUE(decoded.complete);
    ASSERT_EQ(decoded.format.wBitsPerSample, 16);
    EXPECT_EQ(decoded.format.nChannels, reference.format.nChannels);
    EXPECT_EQ(decoded.format.nSamplesPerSec, reference.format.nSamplesPerSec);
    const long frames = static_cast<long>(decoded.data.size() / decoded.format.nBlockAlign);
    const long expected = static_cast<long>(reference.data.size() / reference.format.nBlockAlign);
    EXPECT_NEAR(frames, expected, kFrameTolerance);
    EXPECT_GT(BestCorrelation(Envelope(decoded), Envelope(reference)), 0.95);
  }
}

TEST_F(DecodingGraph, StopWhileDecodingReturnsAndLeavesNoCompleteFile) {
  EditorGraph graph;
  ASSERT_EQ(BuildDecodingGraph(Widen(LONG_MP3), Widen(target_), &graph), S_OK);
  ASSERT_TRUE(SUCCEEDED(graph.control->Run()));
  // Stop once the writer is well into the three minutes (31 MB of PCM).
  WIN32_FILE_ATTRIBUTE_DATA file = {};
  for (int i = 0; i < 60000; ++i) {
    if (GetFileAttributesExA(target_.c_str(), GetFileExInfoStandard, &file) &&
        file.nFileSizeLow > 1000000) {
      break;
    }
    Sleep(1);
  }
  ASSERT_GT(file.nFileSizeLow, 1000000u);
  EXPECT_EQ(graph.control->Stop(), S_OK);
  EXPECT_EQ(WaitForEvent(graph, {EC_COMPLETE}, 500), 0);
  // The part written is no song: it is gone.
  EXPECT_EQ(GetFileAttributesA(target_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DecodingGraph, WriterTakesIntegerPcmOnly) {
  ComRef<IBaseFilter> writer;
  ASSERT_EQ(CoCreateInstance(kClsidWaveWriterFilter, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IBaseFilter, writer.outVoid()),
            S_OK);
  ComRef<IPin> input;
  ASSERT_EQ(FindPin(writer.get(), PINDIR_INPUT, 0, input.out()), S_OK);
  WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  AM_MEDIA_TYPE type = {};
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_PCM;
  type.formattype = FORMAT_WaveFormatEx;
  type.cbFormat = sizeof format;
  type.pbFormat = reinterpret_cast<BYTE*>(&format);
  EXPECT_EQ(input->QueryAccept(&type), S_OK);
  AM_MEDIA_TYPE stream = type;
  stream.majortype = MEDIATYPE_Stream;
  EXPECT_EQ(input->QueryAccept(&stream), S_FALSE);
  WAVEFORMATEX floats = {WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 352800, 8, 32, 0};
  AM_MEDIA_TYPE floatType = type;
  floatType.subtype = MEDIASUBTYPE_IEEE_FLOAT;
  floatType.pbFormat = reinterpret_cast<BYTE*>(&floats);
  EXPECT_EQ(input->QueryAccept(&floatType), S_FALSE);
  format.nBlockAlign = 3;  // inconsistent with 2 channels of 16 bits
  EXPECT_EQ(input->QueryAccept(&type), S_FALSE);
}

TEST_F(DecodingGraph, FailedWritesReportErrorAbortAndLeaveNoCompleteFile) {
  // Locked by another program: the file cannot be created at all; what
  // was there stays.
  HANDLE held = CreateFileA(target_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(held, "old", 3, &written, nullptr);
  EXPECT_EQ(Decode(SAMPLE_WAV), EC_ERRORABORT);
  CloseHandle(held);
  WaveData wave;
  EXPECT_FALSE(ReadWave(target_, &wave));

  // A full disk: the writes fail midway.
  char disk[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("KM_SMALL_DISK", disk, sizeof disk)) {
    GTEST_SKIP() << "no small file system to fill (run through small_disk.sh as root)";
  }
  target_ = std::string(disk) + "\\wav.tmp";
  EXPECT_EQ(Decode(SAMPLE_WAV), EC_ERRORABORT);
  EXPECT_EQ(GetFileAttributesA(target_.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
