// The time ruler's tick spacing and labels.
#pragma once

#include <cstddef>
#include <cstdint>

struct RulerTicks {
  int32_t major;  // centiseconds between labelled ticks
  int32_t minor;  // centiseconds between small ticks; divides major
};

// The finest of a fixed series of round steps (hundredths, tenths, seconds,
// quarter and half minutes, minutes) whose labelled ticks lie at least
// `minimumPixels` apart at `scale` centiseconds per pixel.
RulerTicks ChooseRulerTicks(double scale, int minimumPixels);

// "m:ss", "m:ss.d" or "m:ss.dd", as fine as `major` needs; negative times
// get a leading "-". Always terminated within `size` bytes.
void FormatRulerLabel(int32_t t, int32_t major, char* out, size_t size);
