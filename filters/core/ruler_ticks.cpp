#include "filters/core/ruler_ticks.h"

#include <cstdio>

namespace {

const RulerTicks kSteps[] = {
    {5, 1},         {10, 2},        {20, 5},         {50, 10},        {100, 20},
    {200, 50},      {500, 100},     {1000, 200},     {1500, 500},     {3000, 1000},
    {6000, 1000},   {12000, 3000},  {30000, 6000},   {60000, 12000},  {120000, 30000},
    {300000, 60000}, {600000, 120000}, {1800000, 600000}, {3600000, 600000},
};

}  // namespace

RulerTicks ChooseRulerTicks(double scale, int minimumPixels) {
  for (const RulerTicks& step : kSteps) {
    if (step.major >= scale * minimumPixels) return step;
  }
  return kSteps[sizeof kSteps / sizeof kSteps[0] - 1];
}

void FormatRulerLabel(int32_t t, int32_t major, char* out, size_t size) {
  if (size == 0) return;
  const char* sign = t < 0 ? "-" : "";
  int64_t a = t < 0 ? -int64_t(t) : t;
  long long minutes = a / 6000;
  int seconds = int(a / 100 % 60);
  int hundredths = int(a % 100);
  if (major % 100 == 0) {
    snprintf(out, size, "%s%lld:%02d", sign, minutes, seconds);
  } else if (major % 10 == 0) {
    snprintf(out, size, "%s%lld:%02d.%d", sign, minutes, seconds, hundredths / 10);
  } else {
    snprintf(out, size, "%s%lld:%02d.%02d", sign, minutes, seconds, hundredths);
  }
}
