// kmtool render: frames of the karaoke display as the plug-ins draw them.
#pragma once

#include <vector>

#include "display/karaoke_layout.h"
#include "tools/kmtool/lyrics_loading.h"

struct RenderRequest {
  const char* file = nullptr;
  HostTiming host;
  KaraokeLayout layout = KaraokeLayout::OneLine;
  int width = 0;
  int height = 0;
  std::vector<int> times;  // centiseconds, drawn in this order on one display
  const char* outputPrefix = nullptr;
};

// Writes PREFIX-<time>.bmp for every time; returns the exit code.
int RunRender(const RenderRequest& request);
