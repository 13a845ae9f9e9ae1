// The host program with the test plug-in and the scripted player: the calls
// in the player's order, song changes, presets, both render paths, frames.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/bmp/picture_capture.h"
#include "hosts/wmphost/tests/test_effects/test_pattern.h"
#include "hosts/wmphost/tests/test_support.h"

namespace {

uint32_t Rgb(COLORREF colour) {
  return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

uint32_t At(const Picture& picture, int x, int y) {
  if (x >= picture.width || y >= picture.height) return 0xFF000000;
  return picture.pixels[size_t(y) * picture.width + x];
}

class HostRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RegisterServer(TEST_EFFECTS_PATH)); }

  void SetUp() override {
    folder_ = MakeWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    log_ = folder_ + "calls.log";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("WMPHOST_TEST_LOG", log_.c_str());
    // Two songs: one.wav from 0.5 s, two.wav from 2 s, the end at 3 s.
    script_ = folder_ + "songs.txt";
    ASSERT_TRUE(WriteText(script_, "# test playlist\n0.5 one.wav\n2 two.wav\n3 end\n"));
  }

  int Host(const std::string& args) {
    return RunCommand(std::string("\"") + WMPHOST_PATH + "\" " + args);
  }
  std::vector<std::string> Calls() { return ReadLines(log_); }
  std::string Frame(const char* name) { return folder_ + name; }

  Picture ReadFrame(const char* name) {
    Picture picture;
    EXPECT_TRUE(ReadBitmapFile(Frame(name).c_str(), picture)) << name;
    return picture;
  }

  std::string folder_, log_, script_;
};

TEST_F(HostRun, WindowedPlugInGetsThePlayersCallsInOrder) {
  ASSERT_EQ(Host("--effect KmTestPattern --preset 1 --script \"" + script_ +
                 "\" --frames 0,0.5,1.5,2,2.5,3 --out \"" + folder_ + "f\""),
            0);
  const std::string one = folder_ + "one.wav", two = folder_ + "two.wav";
  const std::vector<std::string> expected = {
      "Created",
      "SetCore core",
      "Create window",
      "SetCurrentPreset 1",
      "RenderWindowed 0 1 -",  // before the first song: no item, a full repaint
      "NotifyNewMedia " + one + " 1.50",
      "RenderWindowed 0 0 " + one,
      "RenderWindowed 100 0 " + one,
      "NotifyNewMedia " + two + " 1.00",
      "RenderWindowed 0 0 " + two,
      "RenderWindowed 50 0 " + two,
      "Destroy",
      "SetCore null",
      "Release",
  };
  EXPECT_EQ(Calls(), expected);

  // One frame file per frame before the end, named by the timeline's time.
  for (const char* name : {"f-0.bmp", "f-50.bmp", "f-150.bmp", "f-200.bmp", "f-250.bmp"}) {
    EXPECT_TRUE(FileExists(Frame(name))) << name;
  }
  EXPECT_FALSE(FileExists(Frame("f-300.bmp")));

  // At 1.5 s one.wav is 1 s in: a bar of 100 / 10 pixels on green.
  const Picture frame = ReadFrame("f-150.bmp");
  EXPECT_EQ(frame.width, 400);
  EXPECT_EQ(frame.height, 300);
  const uint32_t green = Rgb(kTestPresetColours[1]);
  EXPECT_EQ(At(frame, 0, 0), Rgb(kBarColour));
  EXPECT_EQ(At(frame, 9, kBarHeight - 1), Rgb(kBarColour));
  EXPECT_EQ(At(frame, 10, 0), green);
  EXPECT_EQ(At(frame, 0, kBarHeight), green);
  EXPECT_EQ(At(frame, 399, 299), green);
  EXPECT_EQ(At(ReadFrame("f-0.bmp"), 0, 0), green);
}

TEST_F(HostRun, MemoryRenderingDrawsIntoTheHostsDeviceContext) {
  ASSERT_EQ(Host("--effect KmTestPattern --render memory --size 200x100 --script \"" + script_ +
                 "\" --frames 1,2.75 --out \"" + folder_ + "m\""),
            0);
  const std::vector<std::string> calls = Calls();
  const std::string one = folder_ + "one.wav", two = folder_ + "two.wav";
  // No window for the plug-in: no Create and no Destroy.
  EXPECT_TRUE(LinesStarting(calls, "Create ").empty());
  EXPECT_TRUE(LinesStarting(calls, "Destroy").empty());
  EXPECT_EQ(LinesStarting(calls, "Render "),
            (std::vector<std::string>{"Render 50 200x100 " + one, "Render 75 200x100 " + two}));
  EXPECT_EQ(LinesStarting(calls, "NotifyNewMedia").size(), 2u);
  EXPECT_EQ(calls.back(), "Release");

  const Picture frame = ReadFrame("m-275.bmp");
  EXPECT_EQ(frame.width, 200);
  EXPECT_EQ(frame.height, 100);
  const uint32_t red = Rgb(kTestPresetColours[0]);
  EXPECT_EQ(At(frame, 6, 0), Rgb(kBarColour));
  EXPECT_EQ(At(frame, 7, 0), red);
  EXPECT_EQ(At(frame, 100, 50), red);
}

TEST_F(HostRun, EffectsOnlyPlugInIsRenderedWithTheLevelsAlone) {
  ASSERT_EQ(Host("--effect KmTestClassic --preset 2 --script \"" + script_ +
                 "\" --frames 1.5,2.5 --out \"" + folder_ + "c\""),
            0);
  // IWMPEffects has no core, window or media calls: the host renders into
  // memory and puts the position into the levels' time stamp.
  const std::vector<std::string> expected = {
      "Created classic",      "SetCurrentPreset 2",   "Render 100 400x300 ",
      "Render 50 400x300 ",   "Release",
  };
  EXPECT_EQ(Calls(), expected);
  const Picture frame = ReadFrame("c-150.bmp");
  EXPECT_EQ(At(frame, 9, 0), Rgb(kBarColour));
  EXPECT_EQ(At(frame, 10, 0), Rgb(kTestPresetColours[2]));
}

TEST_F(HostRun, ChoosesByTheNameLoadedFromTheDllsStringTable) {
  // "Test Pattern" is string 101 of the test plug-in's DLL, registered as
  // res://wmphost_test_effects.dll/RT_STRING/#101.
  ASSERT_EQ(Host("--effect \"Test Pattern\" --script \"" + script_ + "\" --frames 1"), 0);
  EXPECT_EQ(Calls().front(), "Created");
  EXPECT_EQ(Host("--effect \"No Such Visualization\" --script \"" + script_ + "\" --frames 1"), 2);
  EXPECT_EQ(Host("--script \"" + folder_ + "missing.txt\""), 2);
  EXPECT_EQ(Host("--frames 1"), 2);
}

TEST_F(HostRun, RefusedPresetEndsTheRunAfterAFullTeardown) {
  EXPECT_EQ(Host("--effect KmTestPattern --preset 7 --script \"" + script_ + "\" --frames 1"), 1);
  const std::vector<std::string> expected = {
      "Created", "SetCore core", "Create window", "SetCurrentPreset 7",
      "Destroy", "SetCore null", "Release",
  };
  EXPECT_EQ(Calls(), expected);
}

TEST_F(HostRun, OwnClockPlaysInRealTimeAndSavesFramesOnSchedule) {
  ASSERT_TRUE(WriteText(script_, "0 one.wav\n"));
  const DWORD started = GetTickCount();
  ASSERT_EQ(Host("--effect KmTestPattern --script \"" + script_ +
                 "\" --seconds 1.2 --save-every 0.5 --out \"" + folder_ + "t\""),
            0);
  const DWORD took = GetTickCount() - started;
  EXPECT_GE(took, 1100u);
  EXPECT_LT(took, 20000u);

  const std::vector<std::string> renders = LinesStarting(Calls(), "RenderWindowed ");
  ASSERT_GE(renders.size(), 10u);  // about 30 a second
  long previous = -1;
  for (const std::string& line : renders) {
    const long centiseconds = std::strtol(line.c_str() + 15, nullptr, 10);
    EXPECT_GE(centiseconds, previous) << line;
    previous = centiseconds;
  }
  EXPECT_GE(previous, 100);
  EXPECT_LE(previous, 120);
  EXPECT_EQ(CountFiles(folder_ + "t-*.bmp"), 3);  // at 0, 0.5 and 1 s
}

}  // namespace
