// The Winamp plug-in's loaders report true or false.
#include "winamp/lyrics_loaders.h"

#include <gtest/gtest.h>

#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

TEST(WinampLyricsLoaders, ReportLoadedAndFailedFilesAsBooleans) {
  TimedLyrics lyrics;
  std::string good = WriteTempFile("winamp_good.km", KmBuilder().Line("la").Piece(0, 0, kKmNoOffset, 0, 9).Bytes());
  EXPECT_TRUE(LoadKmFile(good.c_str(), lyrics));
  EXPECT_EQ(lyrics.syncpointCount, 1);
  std::string bad = WriteTempFile("winamp_bad.km", std::string("KM\0\0", 4) + std::string(40, 'x'));
  EXPECT_FALSE(LoadKmFile(bad.c_str(), lyrics));
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

}  // namespace
