#include "hosts/winamphost/scripted_clock.h"

int32_t ClockPosition(const ScriptedClock& clock, uint32_t now) {
  if (clock.status == 0) return -1;
  if (clock.status == 3 || clock.rate == 0) return clock.anchorPosition;
  return clock.anchorPosition + static_cast<int32_t>(now - clock.anchorTime);
}

void ClockStart(ScriptedClock& clock, uint32_t now) {
  clock.status = 1;
  clock.anchorPosition = 0;
  clock.anchorTime = now;
}

void ClockSetPosition(ScriptedClock& clock, int32_t position, uint32_t now) {
  clock.anchorPosition = position < 0 ? 0 : position;
  clock.anchorTime = now;
}

void ClockPause(ScriptedClock& clock, uint32_t now) {
  if (clock.status != 1) return;
  ClockSetPosition(clock, ClockPosition(clock, now), now);
  clock.status = 3;
}

void ClockResume(ScriptedClock& clock, uint32_t now) {
  if (clock.status != 3) return;
  clock.status = 1;
  clock.anchorTime = now;
}

void ClockStop(ScriptedClock& clock) {
  clock.status = 0;
  clock.anchorPosition = 0;
}

void ClockSetRate(ScriptedClock& clock, int rate, uint32_t now) {
  if (clock.status == 1) ClockSetPosition(clock, ClockPosition(clock, now), now);
  clock.rate = rate;
}
