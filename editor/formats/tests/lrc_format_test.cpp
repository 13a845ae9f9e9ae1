// The editor's LRC reader and writer on the cases of the format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/formats/tests/editor_fixture.h"

namespace {

std::vector<TimestampPair> PairsAt(std::vector<int32_t> times) {
  std::vector<TimestampPair> pairs;
  for (int32_t t : times) pairs.push_back(TimestampPair{t, t + 1});
  return pairs;
}

TEST(LrcFormat, LinesGoByTimeOncePerTagAndARepeatedTimeDropsItsLine) {
  EditorFixture editor;
  ASSERT_TRUE(editor.OpenLrc(
      "[00:30.00]first\r\n"
      "[00:10.00][01:20.00]twice\r\n"
      "[00:30.00]same time as first\n"
      "[00:40.00]\r"
      "[00:50.00]kept[x:y] joined [ar:cut]end\n"
      "before a time [01:00.00]after"));
  EXPECT_EQ(editor.Lyrics(), "twice\rfirst\r \rkept joined end\rafter\rtwice");
  EXPECT_EQ(editor.Pairs(), PairsAt({1000, 3000, 4000, 5000, 6000, 8000}));
  EXPECT_EQ(editor.Header(1), "cut");  // cut out of the line, and still taken
  EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");
  EXPECT_EQ(editor.window.Caret(), editor.text.LyricsStart());
  EXPECT_EQ(editor.text.UndoCount(), 0);
}

TEST(LrcFormat, InformationTagsFillTheHeaderAndTheOffsetMovesEveryPair) {
  EditorFixture editor;
  ASSERT_TRUE(editor.OpenLrc(
      "[ar:Someone]\n[ti:]\n[al:Album][al:Other]\n[by:Me]\n[offset:-500]\n"
      "[00:01.00]one\n[00:02.00]two\n"));
  EXPECT_EQ(editor.Header(0), "");
  EXPECT_EQ(editor.Header(1), "Someone");
  EXPECT_EQ(editor.Header(2), "Album");
  EXPECT_EQ(editor.Header(3), "Me");
  EXPECT_EQ(editor.Pairs(), (std::vector<TimestampPair>{{50, 51}, {150, 151}}));
  // An offset that would take the first pair below 0 is ignored.
  ASSERT_TRUE(editor.OpenLrc("[offset:-20000]\n[00:01.00]one"));
  EXPECT_EQ(editor.Pairs(), PairsAt({100}));
}

TEST(LrcFormat, SavesEachTimedTextOnceAndAnEmptyLineForUnstampedOnes) {
  EditorFixture editor;
  editor.SetHeader(0, "Song");
  editor.SetHeader(3, "Me");
  editor.SetLyrics("la\rli\r\rla\rlo\rlu");
  editor.Stamp(100, 101);
  editor.Stamp(200, 201);
  editor.Stamp(300, 301);
  EXPECT_EQ(editor.SaveLrc(),
            "[ti:Song]\r\n[by:Me]\r\n[00:03.00][00:01.00]la\r\n[00:02.00]li\r\n\r\n");
  EXPECT_TRUE(CanSaveAsLrc(editor.text, editor.timestamps));
  editor.SetSyncpoint(1);
  EXPECT_FALSE(CanSaveAsLrc(editor.text, editor.timestamps));
  EXPECT_EQ(editor.SaveLrc(), "failed");
}

TEST(LrcFormat, TimesOfAnHourAndMoreKeepTheirMinutes) {
  EditorFixture editor;
  editor.SetLyrics("an hour\rlater\rmuch later");
  editor.Stamp(60 * 6000 + 203, 60 * 6000 + 300);
  editor.Stamp(99 * 6000 + 5999, 100 * 6000);
  editor.Stamp(200 * 6000 + 1, 200 * 6000 + 2);
  const std::string file = editor.SaveLrc();
  EXPECT_EQ(file, "[60:02.03]an hour\r\n[99:59.99]later\r\n[99:6060.01]much later\r\n");
  EditorFixture reopened;
  ASSERT_TRUE(reopened.OpenLrc(file));
  EXPECT_EQ(reopened.Lyrics(), "an hour\rlater\rmuch later");
  EXPECT_EQ(reopened.Pairs(), PairsAt({360203, 599999, 1200001}));
}

}  // namespace
