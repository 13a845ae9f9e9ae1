// How much a karaoke frame costs: with nothing newly sung, while the
// highlight advances, and with every cache dropped (as after a settings
// change). The engine keeps line images between frames, so the first two
// should cost a small fraction of the third.
// Usage: frame_cost [LYRICS.km] (Windows build; run under Wine here)
#include <windows.h>

#include <cstdio>

#include "display/win32/display_settings_win32.h"
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"
#include "lyrics/km_file.h"

namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "samples/twinkle.km";
  KaraokeDisplay display;
  if (ReadKmFile(path, display.lyrics) != LoadStatus::Loaded) {
    std::fprintf(stderr, "frame_cost: cannot load %s\n", path);
    return 1;
  }
  DisplaySettingsStore& store = ModuleDisplaySettings();
  AttachDisplayUser(store);
  TakeLiveSettings(store, display.settings);
  SetKaraokeLayout(display, KaraokeLayout::ThreeLines);

  void* bits = nullptr;
  MemoryDc dc(nullptr);
  GdiObject<HBITMAP> bitmap(CreateDib32(dc.get(), 640, 160, &bits));
  Selection selection(dc.get(), bitmap.get());
  const RECT rect = {0, 0, 640, 160};
  TimingOffset timing;

  const int frames = 300;
  const int32_t start = display.lyrics.syncpoints[0].startTime;
  RenderKaraokeFrame(display, store, dc.get(), rect, start, true, timing, nullptr);

  double t0 = Now();
  for (int i = 0; i < frames; ++i) {
    RenderKaraokeFrame(display, store, dc.get(), rect, start, true, timing, nullptr);
  }
  const double still = (Now() - t0) / frames;

  t0 = Now();
  for (int i = 0; i < frames; ++i) {
    RenderKaraokeFrame(display, store, dc.get(), rect, start + i, true, timing, nullptr);
  }
  const double advancing = (Now() - t0) / frames;

  t0 = Now();
  for (int i = 0; i < frames; ++i) {
    DropBitmaps(display);
    DropFont(display);
    RenderKaraokeFrame(display, store, dc.get(), rect, start + i, true, timing, nullptr);
  }
  const double rebuilt = (Now() - t0) / frames;

  std::printf("frame, nothing newly sung:   %8.1f us\n", still * 1e6);
  std::printf("frame, highlight advancing:  %8.1f us\n", advancing * 1e6);
  std::printf("frame, every cache dropped:  %8.1f us\n", rebuilt * 1e6);
  std::printf("cached / rebuilt:            %8.3f\n", advancing / rebuilt);
  return 0;
}
