// The plug-in's loaders report S_OK, E_FAIL or E_OUTOFMEMORY.
#include "wmp/lyrics_loaders.h"

#include <gtest/gtest.h>

#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

TEST(WmpLyricsLoaders, ReportLoadedAndFailedFilesAsHresults) {
  TimedLyrics lyrics;
  std::string good = WriteTempFile("wmp_good.km", KmBuilder().Line("la").Piece(0, 0, kKmNoOffset, 0, 9).Bytes());
  EXPECT_EQ(LoadKmFile(good.c_str(), lyrics), S_OK);
  EXPECT_EQ(lyrics.syncpointCount, 1);

  std::string bad = WriteTempFile("wmp_bad.km", "not a lyrics file at all");
  EXPECT_EQ(LoadKmFile(bad.c_str(), lyrics), E_FAIL);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  EXPECT_EQ(LoadKmFile(TempPath("wmp_missing.km").c_str(), lyrics), E_FAIL);
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

}  // namespace
