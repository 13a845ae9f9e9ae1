// The plug-in's loaders and lookup report S_OK, E_FAIL or E_POINTER.
#include "wmp/lyrics_loaders.h"

#include <gtest/gtest.h>

#include <string>

#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], int(wide.size()));
  wide.resize(n > 0 ? n - 1 : 0);
  return wide;
}

TEST(WmpLyricsLoaders, ReportLoadedAndFailedFilesAsHresults) {
  TimedLyrics lyrics;
  std::string good = WriteTempFile("wmp_good.km", KmBuilder().Line("la").Piece(0, 0, kKmNoOffset, 0, 9).Bytes());
  EXPECT_EQ(LoadKmFile(good.c_str(), lyrics), S_OK);
  EXPECT_EQ(lyrics.syncpointCount, 1);

  std::string bad = WriteTempFile("wmp_bad.km", "not a lyrics file at all");
  EXPECT_EQ(LoadKmFile(bad.c_str(), lyrics), E_FAIL);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  EXPECT_EQ(LoadKmFile(TempPath("wmp_missing.km").c_str(), lyrics), E_FAIL);
  EXPECT_EQ(LoadLrcFile(bad.c_str(), lyrics), E_FAIL);
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

TEST(WmpLyricsLoaders, PlainTextIsSpreadOverThePlayersDuration) {
  std::string text = WriteTempFile("wmp_song.txt", "one\r\ntwo\r\nthree");
  TimedLyrics lyrics;
  ASSERT_EQ(LoadPlainTextLyrics(text.c_str(), 0.0, lyrics), S_OK);
  EXPECT_EQ(lyrics.syncpointCount, 1);  // duration unknown: only the first line
  ASSERT_EQ(LoadPlainTextLyrics(text.c_str(), 90.0, lyrics), S_OK);
  EXPECT_EQ(lyrics.syncpointCount, 3);
  EXPECT_EQ(lyrics.syncpoints[2].startTime, 6000);
  std::remove(text.c_str());
}

TEST(WmpLyricsLoaders, FindsLyricsForAWidePathAndRejectsWhatHasNoAnsiForm) {
  std::string text = WriteTempFile("wmp_find.txt", "one\ntwo");
  std::string media = text.substr(0, text.size() - 4) + ".mp3";
  TimedLyrics lyrics;
  EXPECT_EQ(FindLyricsForMedia(lyrics, Widen(media).c_str(), "", 20.0), S_OK);
  EXPECT_EQ(lyrics.syncpointCount, 2);

  EXPECT_EQ(FindLyricsForMedia(lyrics, nullptr, "", 20.0), E_POINTER);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));

  // A character that the ANSI code page lacks would name another file.
  std::wstring foreign = Widen(media);
  foreign.insert(foreign.size() - 4, L"\x4E2D");
  EXPECT_EQ(FindLyricsForMedia(lyrics, foreign.c_str(), "", 20.0), E_FAIL);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(text.c_str());
}

}  // namespace
