// The Winamp plug-in's loaders and lookup report true or false.
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
  EXPECT_FALSE(LoadMidiLyrics(bad.c_str(), lyrics));
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

TEST(WinampLyricsLoaders, FindsPlainTextSpreadOverTheTrackOrThreeMinutes) {
  std::string text = WriteTempFile("winamp_find.txt", "one\ntwo");
  std::string media = text.substr(0, text.size() - 4) + ".mp3";
  TimedLyrics lyrics;
  ASSERT_TRUE(FindLyricsForMedia(lyrics, media.c_str(), "", -1));
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 9000);
  EXPECT_EQ(lyrics.syncpoints[1].endTime, INT32_MAX);
  ASSERT_TRUE(LoadPlainTextLyrics(text.c_str(), 100, lyrics));
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 5000);
  EXPECT_FALSE(FindLyricsForMedia(lyrics, TempPath("winamp_other.mp3").c_str(), "", -1));
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(text.c_str());
}

}  // namespace
