// The file edge of the ".km" loader: the whole file is read from disk
// (CreateFileA and ReadFile in the Windows build).
#include "lyrics/km_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lyrics/read_whole_file.h"
#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

TEST(KmFile, LoadsAFileFromDisk) {
  std::string path = WriteTempFile(
      "km_file_test_good.km",
      KmBuilder().Line("abcde").Piece(0, 0, 2, 0, 5).Piece(0, 2, kKmNoOffset, 5, 9).Bytes());
  TimedLyrics lyrics;
  ASSERT_EQ(ReadKmFile(path.c_str(), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.syncpointCount, 2);
  EXPECT_EQ(std::string(lyrics.textLines[0].text, 6), "abcde ");
  std::remove(path.c_str());
}

TEST(KmFile, MissingDamagedAndOverlongPathsLeaveTheModelEmpty) {
  TimedLyrics lyrics;
  std::string missing = TempPath("km_file_test_missing.km");
  EXPECT_EQ(ReadKmFile(missing.c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));

  std::string damaged = WriteTempFile("km_file_test_damaged.km", "KM\0\0garbage");
  EXPECT_EQ(ReadKmFile(damaged.c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(damaged.c_str());

  std::string overlong(kMaxPathLength + 1, 'a');
  EXPECT_EQ(ReadKmFile(overlong.c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_EQ(ReadKmFile(testing::TempDir().c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
}

TEST(ReadWholeFile, ReadsEveryByteIncludingNulsAndAnEmptyFile) {
  std::string bytes("a\0b\r\n\xFF", 6);
  std::string path = WriteTempFile("read_whole_file_test.bin", bytes);
  OwnedBuffer contents;
  ASSERT_EQ(ReadWholeFile(path.c_str(), contents), LoadStatus::Loaded);
  EXPECT_EQ(std::string(contents.data(), contents.size()), bytes);
  std::remove(path.c_str());

  path = WriteTempFile("read_whole_file_empty.bin", "");
  ASSERT_EQ(ReadWholeFile(path.c_str(), contents), LoadStatus::Loaded);
  EXPECT_EQ(contents.size(), 0u);
  std::remove(path.c_str());
}

}  // namespace
