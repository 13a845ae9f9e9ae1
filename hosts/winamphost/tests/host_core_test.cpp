// The host's scripted clock and its scripts.
#include <gtest/gtest.h>

#include "hosts/winamphost/host_script.h"
#include "hosts/winamphost/scripted_clock.h"

namespace {

TEST(ScriptedClock, RunsStandsPausesAndStops) {
  ScriptedClock clock;
  EXPECT_EQ(ClockPosition(clock, 0), -1);
  ClockStart(clock, 1000);
  EXPECT_EQ(ClockPosition(clock, 1250), 250);
  ClockSetPosition(clock, 60000, 1300);
  EXPECT_EQ(ClockPosition(clock, 1400), 60100);
  ClockSetRate(clock, 0, 1500);
  EXPECT_EQ(ClockPosition(clock, 9000), 60200);
  ClockSetRate(clock, 1, 9000);
  ClockPause(clock, 9100);
  EXPECT_EQ(clock.status, 3);
  EXPECT_EQ(ClockPosition(clock, 20000), 60300);
  ClockResume(clock, 20000);
  EXPECT_EQ(ClockPosition(clock, 20010), 60310);
  ClockStop(clock);
  EXPECT_EQ(ClockPosition(clock, 20020), -1);
}

TEST(HostScript, ReadsTimedStepsInTimeOrder) {
  std::vector<ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(ParseScript("# demo\n500 save a.bmp\n0 add x.mp3 200  # the song\n\n100 play 0\n",
                          steps, error));
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].command, "add");
  EXPECT_EQ(steps[0].arguments, (std::vector<std::string>{"x.mp3", "200"}));
  EXPECT_EQ(steps[1].at, 100u);
  EXPECT_EQ(steps[2].command, "save");
  EXPECT_FALSE(ParseScript("0 add a\nsoon play 0\n", steps, error));
  EXPECT_EQ(error, "line 2: soon play 0");
  EXPECT_FALSE(ParseScript("10 dance\n", steps, error));
}

}  // namespace
