#include "editor/controls/band_layout.h"

int BandTop(const int heights[kBandCount], int band) {
  int top = 2;
  for (int above = 0; above < band && above < kBandCount; ++above) top += heights[above] + 2;
  return top;
}

void LayoutBand(int clientWidth, int top, int height, const int widths[kWindowsPerBand],
                int count, BandPlace places[kWindowsPerBand]) {
  const int usable = clientWidth > 4 ? clientWidth - 4 : 0;
  if (count <= 1) {
    places[0] = {2, top, usable, height};
    return;
  }
  int fixed = 0;
  int shared = 0;
  int lastShared = -1;
  for (int i = 0; i < count; ++i) {
    if (widths[i] > 0) {
      fixed += widths[i];
    } else {
      ++shared;
      lastShared = i;
    }
  }
  int free = usable - fixed - (count - 1);
  if (free < 0) free = 0;
  const int each = shared ? free / shared : 0;
  int x = 2;
  for (int i = 0; i < count; ++i) {
    int width = widths[i];
    if (width <= 0) width = i == lastShared ? free - each * (shared - 1) : each;
    places[i] = {x, top, width, height};
    x += width + 1;
  }
}
