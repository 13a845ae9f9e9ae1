// Where the band container puts its bands and their windows. No windows here.
#pragma once

constexpr int kBandCount = 3;
constexpr int kWindowsPerBand = 3;
// A width not above 0 marks a window that shares the free width of its band.
constexpr int kSharedWidth = -1;

struct BandPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The top of band `band` given the heights of the bands above it: band 0 at
// 2, each further band 2 pixels below the one before (the separator).
int BandTop(const int heights[kBandCount], int band);

// Places the `count` (1 to 3) windows of one band with the given widths in
// a container `clientWidth` wide: from x 2 over clientWidth - 4 pixels,
// 1 pixel apart; fixed widths as given, the shared ones splitting the rest
// equally with the last taking the remainder; a single window gets the
// whole width.
void LayoutBand(int clientWidth, int top, int height, const int widths[kWindowsPerBand],
                int count, BandPlace places[kWindowsPerBand]);
