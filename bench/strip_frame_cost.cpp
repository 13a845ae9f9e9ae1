// The lyrics display strip: the cost of one frame at 1280 x 200 with a
// 5-minute song and 1,000 stamped units; the ratio of that cost between a
// 1-minute and a 10-minute song with the same density of units (the strip
// draws only what is in view, so it should stay near 1); and how long Load
// takes to read the peaks of a 5-minute work file.
// Usage: strip_frame_cost [PICTURE.bmp] (Windows build; run under Wine)
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "display/win32/gdi_holders.h"
#include "filters/lyrics_display/peak_loader.h"
#include "filters/lyrics_display/strip_fonts.h"
#include "filters/lyrics_display/strip_model.h"
#include "filters/lyrics_display/strip_painter.h"
#include "tools/bmp/bmp_writer.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 200;
constexpr uint32_t kRate = 44100;
// 1,000 units in 5 minutes.
constexpr double kUnitsPerSecond = 1000.0 / 300.0;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

// One second of a sung-like signal: a tone under a syllable-rate swell.
void SecondOfSong(int second, std::vector<int16_t>& samples) {
  samples.resize(size_t(kRate) * 2);
  for (uint32_t i = 0; i < kRate; ++i) {
    double t = second + double(i) / kRate;
    double swell = 0.1 + 0.9 * std::pow(std::fabs(std::sin(3.14159265 * t * kUnitsPerSecond / 2)), 2);
    int16_t v = int16_t(swell * 24000 * std::sin(2 * 3.14159265 * (180 + 40 * std::sin(t)) * t));
    samples[2 * size_t(i)] = v;
    samples[2 * size_t(i) + 1] = int16_t(-v / 2);
  }
}

PcmFormat SongFormat() {
  PcmFormat format;
  format.sampleRate = kRate;
  format.channels = 2;
  format.bitsPerSample = 16;
  format.blockAlign = 4;
  return format;
}

struct Song {
  StripModel model;
  int units = 0;
};

void MakeSong(int seconds, Song* song) {
  PeakTableBuilder builder(SongFormat());
  std::vector<int16_t> samples;
  for (int s = 0; s < seconds; ++s) {
    SecondOfSong(s, samples);
    builder.Add(reinterpret_cast<const uint8_t*>(samples.data()), samples.size() * 2);
  }
  StripModel& m = song->model;
  m.peaks = builder.Finish();
  m.songLength = seconds * 100;
  song->units = int(std::lround(seconds * kUnitsPerSecond));
  // Lines of eight syllables, a syncpoint on each but the first.
  static const char* kSyllables[] = {"twin", "kle", "lit", "tle", "star", "how", "I", "won",
                                     "der", "what", "you", "are"};
  std::string text;
  std::vector<size_t> syncpoints;
  for (int i = 0; i < song->units; ++i) {
    if (i % 8 == 0 && i > 0) text += '\r';
    else if (i % 8 != 0) {
      text += ' ';
      syncpoints.push_back(text.size());
    }
    text += kSyllables[i % 12];
  }
  m.lyrics.Append(text.c_str(), NoLeadBytes);
  for (size_t p : syncpoints) m.lyrics.SetSyncpoint(p, true);
  double spacing = 100.0 / kUnitsPerSecond;
  for (int i = 0; i < song->units; ++i) {
    int32_t start = int32_t(i * spacing);
    m.pairs.push_back({start, start + int32_t(spacing * 0.8)});
  }
}

struct Frame {
  MemoryDc dc{nullptr};
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap{CreateDib32(dc.get(), kWidth, kHeight, &bits)};
  StripFonts fonts;
  StripPaintCache cache;
};

void Paint(Frame& frame, const Song& song, const StripView& view, int32_t cursor) {
  Selection select(frame.dc.get(), frame.bitmap.get());
  StripScene scene;
  scene.view = &view;
  scene.height = kHeight;
  scene.pairs = &song.model.pairs;
  scene.lyrics = &song.model.lyrics;
  scene.peaks = &song.model.peaks;
  scene.cursor = cursor;
  scene.currentUnit = CurrentPairIndex(song.model.pairs, cursor);
  scene.lyricsFont = frame.fonts.Lyrics();
  scene.lyricsFontHeight = frame.fonts.lyricsHeight;
  scene.labelFont = frame.fonts.Label();
  PaintStrip(frame.dc.get(), static_cast<uint32_t*>(frame.bits), scene, frame.cache);
}

// Milliseconds per frame at the default zoom, over views spread across the
// song; or with the whole song in view.
double FrameCost(Frame& frame, const Song& song, bool wholeSong) {
  const int views = 50;
  const int repeats = 4;
  StripView view = MakeStripView(kWidth, song.model.songLength);
  if (wholeSong) ZoomView(view, 0, 1e9);
  Paint(frame, song, view, 0);
  double began = Now();
  for (int r = 0; r < repeats; ++r) {
    for (int v = 0; v < views; ++v) {
      int32_t at = int32_t(double(song.model.songLength) * v / views);
      if (!wholeSong) {
        view.origin = at;
        ClampView(view);
      }
      Paint(frame, song, view, at + 300);
    }
  }
  return (Now() - began) * 1000 / (views * repeats);
}

bool WriteWorkFile(const std::string& path, int seconds) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint32_t data = uint32_t(seconds) * kRate * 4;
  uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                        16, 0, 0, 0, 1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 0x02, 0,
                        4, 0, 16, 0, 'd', 'a', 't', 'a'};
  uint32_t riff = data + 36;
  memcpy(header + 4, &riff, 4);
  memcpy(header + 40, &data, 4);
  DWORD written = 0;
  bool ok = WriteFile(file, header, sizeof header, &written, nullptr);
  std::vector<int16_t> samples;
  for (int s = 0; ok && s < seconds; ++s) {
    SecondOfSong(s, samples);
    ok = WriteFile(file, samples.data(), DWORD(samples.size() * 2), &written, nullptr);
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  Frame frame;
  MakeStripFonts(StripModel::DefaultFont(), true, &frame.fonts);
  if (!frame.bits) {
    std::fprintf(stderr, "strip_frame_cost: no bitmap\n");
    return 1;
  }
  Song five, one, ten;
  MakeSong(300, &five);
  MakeSong(60, &one);
  MakeSong(600, &ten);

  std::printf("one frame of the strip at %d x %d (10 s in view):\n", kWidth, kHeight);
  std::printf("  5-minute song, %d units: %.3f ms\n", five.units, FrameCost(frame, five, false));
  double costOne = FrameCost(frame, one, false);
  double costTen = FrameCost(frame, ten, false);
  std::printf("  1-minute song, %d units: %.3f ms\n", one.units, costOne);
  std::printf("  10-minute song, %d units: %.3f ms (ratio to 1 minute %.2f)\n", ten.units,
              costTen, costTen / costOne);
  double wholeOne = FrameCost(frame, one, true);
  double wholeTen = FrameCost(frame, ten, true);
  std::printf("  whole song in view: 1 minute %.3f ms, 10 minutes %.3f ms\n", wholeOne, wholeTen);

  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "strip_frame_cost.wav";
  if (WriteWorkFile(path, 300)) {
    std::wstring wide(path.begin(), path.end());
    for (int run = 1; run <= 2; ++run) {
      PeakTable table;
      double began = Now();
      HRESULT hr = LoadPeaks(wide.c_str(), &table);
      std::printf("Load of a 5-minute work file (%s): %.1f ms%s\n",
                  run == 1 ? "first read" : "read again", (Now() - began) * 1000,
                  SUCCEEDED(hr) ? "" : " FAILED");
    }
    DeleteFileA(path.c_str());
  }

  if (argc > 1) {
    StripView view = MakeStripView(kWidth, five.model.songLength);
    view.origin = 6000;
    Paint(frame, five, view, 6420);
    WriteBmp24(argv[1], static_cast<const uint32_t*>(frame.bits), kWidth, kHeight);
  }
  return 0;
}
