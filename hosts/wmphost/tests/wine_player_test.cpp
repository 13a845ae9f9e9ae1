// The system's Windows Media Player object behind the host's core, playing
// the sample song (sound goes to the PulseAudio null sink of winerun
// --audio).
#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "hosts/wmphost/com_object.h"
#include "hosts/wmphost/host_core.h"
#include "hosts/wmphost/tests/test_support.h"
#include "hosts/wmphost/wine_player.h"

namespace {

std::wstring Wide(const char* text) {
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH);
  return wide;
}

void PumpFor(DWORD milliseconds) {
  const DWORD until = GetTickCount() + milliseconds;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

TEST(WinePlayer, CoreAnswersCurrentItemAndAdvancingPosition) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  {
    WinePlayer player;
    std::string error;
    ASSERT_TRUE(player.Start(Wide(SAMPLE_SONG), error)) << error;
    ComRef<IWMPCore> core(CreateHostCore(&player));
    ComRef<IWMPControls> controls;
    ASSERT_EQ(core->get_controls(controls.Out()), S_OK);

    // The item comes from the player's current media where its controls
    // have none.
    ComRef<IWMPMedia> item;
    ASSERT_EQ(controls->currentItem(item.Out()), S_OK);
    BSTR url = nullptr;
    ASSERT_EQ(item->get_sourceURL(&url), S_OK);
    EXPECT_EQ(std::wstring(url), Wide(SAMPLE_SONG));
    SysFreeString(url);
    double duration = 0;
    ASSERT_EQ(item->get_duration(&duration), S_OK);
    EXPECT_NEAR(duration, 22.4, 0.05);

    double first = -1, later = -1;
    ASSERT_EQ(controls->get_currentPosition(&first), S_OK);
    PumpFor(1500);
    ASSERT_EQ(controls->get_currentPosition(&later), S_OK);
    EXPECT_GE(first, 0);
    EXPECT_GT(later - first, 1.0);
    EXPECT_LT(later - first, 2.5);
    EXPECT_FALSE(player.Ended());

    // The rest goes to the player itself.
    BSTR version = nullptr;
    EXPECT_EQ(core->get_versionInfo(&version), S_OK);
    SysFreeString(version);
    EXPECT_EQ(controls->stop(), S_OK);
    core.Reset();
    controls.Reset();
    item.Reset();
    player.Stop();
  }
  OleUninitialize();
}

// The path as the host hands it to the player: full, with backslashes.
std::string HostPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

TEST(WinePlayer, HostPlaysTheSongToThePlugIn) {
  ASSERT_TRUE(RegisterServer(TEST_EFFECTS_PATH));
  const std::string folder = MakeWorkFolder("wmphost-wine");
  const std::string log = folder + "calls.log";
  DeleteFileA(log.c_str());
  SetEnvironmentVariableA("WMPHOST_TEST_LOG", log.c_str());
  ASSERT_EQ(RunCommand(std::string("\"") + WMPHOST_PATH + "\" --effect KmTestPattern --play \"" +
                       SAMPLE_SONG + "\" --seconds 2.5 --save-every 1 --out \"" + folder +
                       "w\""),
            0);
  const std::vector<std::string> calls = ReadLines(log);
  ASSERT_GE(calls.size(), 6u);
  EXPECT_EQ(calls[1], "SetCore core");
  EXPECT_EQ(calls[2], "Create window");
  EXPECT_EQ(calls[3], "NotifyNewMedia " + HostPath(SAMPLE_SONG) + " 22.40");
  const std::vector<std::string> renders = LinesStarting(calls, "RenderWindowed ");
  ASSERT_GE(renders.size(), 20u);
  const std::string suffix = " " + HostPath(SAMPLE_SONG);
  long last = 0;
  for (const std::string& line : renders) {
    EXPECT_EQ(line.substr(line.size() - suffix.size()), suffix) << line;
    last = std::strtol(line.c_str() + 15, nullptr, 10);
  }
  EXPECT_GE(last, 200);
  EXPECT_LE(last, 260);
  EXPECT_EQ(calls.back(), "Release");
  // Saved near 0, 1 and 2 s, each named by the position it shows.
  EXPECT_EQ(CountFiles(folder + "w-*.bmp"), 3);
}

}  // namespace
