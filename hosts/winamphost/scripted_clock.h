// The output time of a playback that a script drives: a position that runs
// in real time (rate 1) or stands (rate 0) while playing.
#pragma once

#include <cstdint>

struct ScriptedClock {
  int status = 0;              // 0 stopped, 1 playing, 3 paused
  int32_t anchorPosition = 0;  // ms at anchorTime
  uint32_t anchorTime = 0;     // host ms
  int rate = 1;
};

int32_t ClockPosition(const ScriptedClock& clock, uint32_t now);
void ClockStart(ScriptedClock& clock, uint32_t now);
void ClockSetPosition(ScriptedClock& clock, int32_t position, uint32_t now);
void ClockPause(ScriptedClock& clock, uint32_t now);
void ClockResume(ScriptedClock& clock, uint32_t now);
void ClockStop(ScriptedClock& clock);
void ClockSetRate(ScriptedClock& clock, int rate, uint32_t now);
