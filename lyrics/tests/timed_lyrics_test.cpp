#include "lyrics/timed_lyrics.h"

#include <gtest/gtest.h>

#include "lyrics/km_parser.h"
#include "lyrics/tests/km_builder.h"

namespace {

TEST(TimedLyrics, ClearReturnsALoadedModelToEmptyAndCanRepeat) {
  TimedLyrics lyrics;
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::string file = KmBuilder().Line("abcde").Piece(0, 0, kKmNoOffset, 0, 5).Bytes();
  ASSERT_EQ(ParseKmFile(ToBuffer(file), NoLeadBytes, lyrics), LoadStatus::Loaded);
  EXPECT_FALSE(IsTimedLyricsEmpty(lyrics));
  ClearTimedLyrics(lyrics);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  ClearTimedLyrics(lyrics);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
}

}  // namespace
