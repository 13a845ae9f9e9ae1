// How fast the editor's decoding graph turns songs into its work file:
// seconds of audio decoded per second, from Run to EC_COMPLETE, through
// kmfilters.dll's wave writer on the system's DirectShow.
// Usage: decode_speed KMFILTERS.DLL SONG... (Windows build; run under Wine
// here, e.g. through bench/decode_speed.sh, which makes the songs)
#include <windows.h>

#include <dshow.h>
#include <evcode.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/bench_support.h"
#include "filters/tests/graph_support.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: decode_speed KMFILTERS.DLL SONG...\n");
    return 2;
  }
  CoInitialize(nullptr);
  if (!RegisterFilters(argv[1])) {
    std::fprintf(stderr, "decode_speed: cannot register %s\n", argv[1]);
    return 1;
  }
  char directory[MAX_PATH] = {};
  GetTempPathA(sizeof directory, directory);
  const std::string target = std::string(directory) + "wav.tmp";
  int failures = 0;
  std::printf("%-40s %10s %10s %12s\n", "song", "audio s", "decode s", "x real time");
  for (int i = 2; i < argc; ++i) {
    // The best of three runs: the first pays for loading the decoders.
    double best = 0;
    double audioSeconds = 0;
    for (int run = 0; run < 3; ++run) {
      EditorGraph graph;
      if (FAILED(BuildDecodingGraph(Widen(argv[i]), Widen(target), &graph))) break;
      const double began = NowSeconds();
      graph.control->Run();
      const long code = WaitForEvent(graph, {EC_COMPLETE, EC_ERRORABORT}, 600000);
      const double seconds = NowSeconds() - began;
      graph.control->Stop();
      WaveData wave;
      if (code != EC_COMPLETE || !ReadWave(target, &wave) || !wave.complete) break;
      audioSeconds = double(wave.data.size()) / wave.format.nAvgBytesPerSec;
      if (best == 0 || seconds < best) best = seconds;
    }
    if (best == 0) {
      std::printf("%-40s failed\n", argv[i]);
      ++failures;
      continue;
    }
    const char* name = std::strrchr(argv[i], '\\') ? std::strrchr(argv[i], '\\') + 1 : argv[i];
    if (std::strrchr(name, '/')) name = std::strrchr(name, '/') + 1;
    std::printf("%-40s %10.1f %10.3f %12.1f\n", name, audioSeconds, best, audioSeconds / best);
  }
  DeleteFileA(target.c_str());
  CoUninitialize();
  return failures ? 1 : 0;
}
