// The host program with the built gen_kmru.dll in its plug-in folder, run
// from scripts as a user would run Winamp.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lyrics/tests/temp_file.h"

namespace {

int RunHost(const std::string& script) {
  const std::string scriptPath = WriteTempFile("host_script.txt", script);
  std::string commandLine = std::string("\"") + WINAMPHOST_PATH + "\" --plugins \"" +
                            PLUGIN_FOLDER + "\" --script \"" + scriptPath + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  DWORD exitCode = 99;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    TerminateProcess(process.hProcess, 98);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::remove(scriptPath.c_str());
  return static_cast<int>(exitCode);
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Pixels of the 24-bit bitmaps the host saves whose blue stands out: the
// default highlight fades to blue, unsung text is white.
int SungPixels(const std::string& path) {
  const std::string bmp = ReadAll(path);
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return -1;
  int count = 0;
  for (size_t i = 54; i + 2 < bmp.size(); i += 3) {
    const int blue = static_cast<unsigned char>(bmp[i]);
    const int red = static_cast<unsigned char>(bmp[i + 2]);
    if (blue > red + 60) ++count;
  }
  return count;
}

// The sample song's first line runs from 1.0 s to 3.7 s.
TEST(WinampHost, SungPartAdvancesDuringScriptedPlayback) {
  const std::string frame1 = TempPath("advance1.bmp"), frame2 = TempPath("advance2.bmp"),
                    frame3 = TempPath("advance3.bmp");
  const std::string script = std::string("0 add ") + SAMPLE_MEDIA + " 24\n" +
                             "0 rate 0\n"
                             "100 play 0\n"
                             "150 pos 1300\n"
                             "600 save " + frame1 + "\n"
                             "650 pos 2200\n"
                             "1100 save " + frame2 + "\n"
                             "1150 pos 3300\n"
                             "1600 save " + frame3 + "\n"
                             "1700 quit\n";
  ASSERT_EQ(RunHost(script), 0);
  const int sung1 = SungPixels(frame1), sung2 = SungPixels(frame2), sung3 = SungPixels(frame3);
  EXPECT_GT(sung1, 0);
  EXPECT_GT(sung2, sung1);
  EXPECT_GT(sung3, sung2);
  for (const std::string& path : {frame1, frame2, frame3}) std::remove(path.c_str());
}

TEST(WinampHost, ClosedFrameStaysHiddenInTheNextSessionAndTheMenuOffersIt) {
  const std::string report1 = TempPath("session1.txt"), report2 = TempPath("session2.txt");
  ASSERT_EQ(RunHost("200 report " + report1 + "\n300 close\n500 popup\n1200 quit\n"), 0);
  ASSERT_EQ(RunHost("300 popup\n1000 report " + report2 + "\n1100 pick 60111\n" +
                    "1300 popup\n2000 report " + report1 + "\n2100 quit\n"),
            0);
  const std::string first = ReadAll(report2), second = ReadAll(report1);
  EXPECT_NE(first.find("frames 1\n"), std::string::npos) << first;
  EXPECT_NE(first.find("frame_visible 0\n"), std::string::npos) << first;
  EXPECT_NE(first.find("frame_title Kamiru\n"), std::string::npos) << first;
  EXPECT_NE(first.find("plugin_window 1\n"), std::string::npos) << first;
  EXPECT_NE(first.find("Seek &forward 5 s Kamiru | Plug-in"), std::string::npos) << first;
  // Picked: shown again, and the next pop-up no longer has the item.
  EXPECT_NE(second.find("frame_visible 1\n"), std::string::npos) << second;
  EXPECT_EQ(second.find("Kamiru |"), std::string::npos) << second;
  std::remove(report1.c_str());
  std::remove(report2.c_str());
}

}  // namespace
