// The real plug-in in the host: kmwmp.dll registered with regsvr32, the
// sample song from a script, frames at chosen times. Skipped while the
// plug-in cannot be registered or is missing from the player's list.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/bmp/picture_capture.h"
#include "hosts/wmphost/tests/test_support.h"

namespace {

size_t Colours(const Picture& picture) {
  return std::set<uint32_t>(picture.pixels.begin(), picture.pixels.end()).size();
}

class KmwmpRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RegisterServer(KMWMP_PATH)) GTEST_SKIP() << "kmwmp.dll cannot be registered yet";
    folder_ = MakeWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    script_ = folder_ + "song.txt";
    ASSERT_TRUE(WriteText(script_, std::string("0 ") + SAMPLE_SONG + "\n23 end\n"));
  }

  int Host(const std::string& args) {
    return RunCommand(std::string("\"") + WMPHOST_PATH + "\" --effect Kmwmp --script \"" +
                      script_ + "\" " + args);
  }

  void ExpectLyricsDrawn(const char* prefix) {
    Picture early, later;
    ASSERT_TRUE(ReadBitmapFile((folder_ + prefix + "-120.bmp").c_str(), early));
    ASSERT_TRUE(ReadBitmapFile((folder_ + prefix + "-350.bmp").c_str(), later));
    // Text on the background, and the highlight moved on between the two.
    EXPECT_GT(Colours(early), 2u);
    EXPECT_GT(Colours(later), 2u);
    EXPECT_NE(early.pixels, later.pixels);
  }

  std::string folder_, script_;
};

TEST_F(KmwmpRun, DrawsTheSampleSongsLyricsWindowed) {
  const int code = Host("--frames 0.5,1.2,3.5 --out \"" + folder_ + "k\"");
  if (code == 2) GTEST_SKIP() << "Kmwmp is not in the player's list of visualizations";
  ASSERT_EQ(code, 0);
  ExpectLyricsDrawn("k");
}

TEST_F(KmwmpRun, DrawsTheSampleSongsLyricsIntoMemoryForEveryPreset) {
  for (int preset = 0; preset < 5; ++preset) {
    const std::string prefix = "p" + std::to_string(preset);
    const int code = Host("--render memory --preset " + std::to_string(preset) +
                          " --frames 0,1.2,3.5 --out \"" + folder_ + prefix + "\"");
    if (code == 2) GTEST_SKIP() << "Kmwmp is not in the player's list of visualizations";
    ASSERT_EQ(code, 0) << "preset " << preset;
    ExpectLyricsDrawn(prefix.c_str());
  }
}

}  // namespace
