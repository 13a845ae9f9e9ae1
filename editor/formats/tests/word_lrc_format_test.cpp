// Word-timed LRC in the editor: word tags open as syncpoints and pairs,
// and every document with pairs saves as word tags and reopens as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/formats/tests/editor_fixture.h"

namespace {

using Pairs = std::vector<TimestampPair>;

TEST(WordLrcFormat, WordTagsOpenAsSyncpointsWithOnePairPerWord) {
  EditorFixture editor;
  ASSERT_TRUE(editor.OpenLrc(
      "[ti:Song]\r\n"
      "[00:05.00]<00:05.00>Row <00:05.50>your <00:06.00>boat<00:07.00>\r\n"
      "[00:01.00]plain line\n"
      "[00:08.00] <00:08.00> gently<00:08.40><00:09.00> down <00:09.50> \n"
      "[00:02.00]<00:02.00>bad <0x:00>tag <00:01.00>late <00:03.00>end\n"));
  EXPECT_EQ(editor.Header(0), "Song");
  EXPECT_EQ(editor.Lyrics(), "plain line\rbad tag late end\rRow your boat\r  gently down  ");
  EXPECT_EQ(editor.Syncpoints(), (std::vector<int32_t>{24, 32, 37, 50}));
  EXPECT_EQ(editor.Pairs(), (Pairs{{100, 101}, {200, 300}, {300, 301}, {500, 550}, {550, 600},
                                   {600, 700}, {800, 840}, {900, 950}}));
  EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");
  EXPECT_TRUE(CanSaveAsWordLrc(editor.text, editor.timestamps));
  EXPECT_FALSE(CanSaveAsLrc(editor.text, editor.timestamps));
}

TEST(WordLrcFormat, RepeatedWordLinesGoInWholeOrNotAtAll) {
  EditorFixture editor;
  ASSERT_TRUE(editor.OpenLrc(
      "[00:10.00][00:20.00]<00:10.00>la <00:10.50>la<00:11.00>\n"
      // Inside the gap of a word line, or across its words: dropped.
      "[00:02.00]<00:02.00>a <00:02.40>b<00:02.60><00:03.00>c<00:03.50>\n"
      "[00:02.70]in the gap\n"
      "[00:20.20]<00:20.20>across\n"
      "[00:30.00]after\n"
      "[offset:1000]\n"));
  EXPECT_EQ(editor.Lyrics(), "a bc\rla la\rla la\rafter");
  EXPECT_EQ(editor.Syncpoints(), (std::vector<int32_t>{2, 3, 8, 14}));
  EXPECT_EQ(editor.Pairs(), (Pairs{{300, 340}, {340, 360}, {400, 450}, {1100, 1150}, {1150, 1200},
                                   {2100, 2150}, {2150, 2200}, {3100, 3101}}));
}

TEST(WordLrcFormat, SavesLineTagWordTagsGapsAndClosingTags) {
  EditorFixture editor;
  editor.SetHeader(1, "Singer");
  editor.SetLyrics("Row your boat\r\rgently\rnot stamped");
  editor.SetSyncpoint(4);
  editor.SetSyncpoint(9);
  editor.Stamp(500, 550);
  editor.Stamp(550, 600);
  editor.Stamp(650, 700);
  editor.Stamp(6000 * 61 + 1, 6000 * 61 + 2);
  EXPECT_TRUE(CanSaveAsWordLrc(editor.text, editor.timestamps));
  EXPECT_EQ(editor.SaveWordLrc(),
            "[ar:Singer]\r\n"
            "[00:05.00]<00:05.00>Row <00:05.50>your <00:06.00><00:06.50>boat<00:07.00>\r\n"
            "[61:00.01]<61:00.01>gently<61:00.02>\r\n"
            "\r\n");
  // Without syncpoints it is not the type to offer.
  EditorFixture plain;
  plain.SetLyrics("line");
  plain.Stamp(1, 2);
  EXPECT_FALSE(CanSaveAsWordLrc(plain.text, plain.timestamps));
}

std::string RandomLine(std::mt19937& random, bool doubleByte) {
  static const char* const kPieces[] = {"a", "b", " ", "\t", "_", "x", "\x82\xA0", "\x83\x5B"};
  std::string text;
  const size_t length = 1 + random() % 12;
  for (size_t i = 0; i < length; ++i) text += kPieces[random() % (doubleByte ? 8 : 6)];
  return text;
}

TEST(WordLrcFormat, EveryStampedDocumentReopensWithItsTextSyncpointsAndPairs) {
  std::mt19937 random(1712);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const bool doubleByte = round % 2;
    EditorFixture editor(doubleByte ? Cp932LeadByte : NoLeadBytes);
    for (int field = 0; field < 4; ++field) {
      if (random() % 2) editor.SetHeader(field, "h" + std::to_string(field));
    }
    std::string lyrics;
    const int lines = 1 + static_cast<int>(random() % 20);
    for (int i = 0; i < lines; ++i) lyrics += (i ? "\r" : "") + RandomLine(random, doubleByte);
    editor.SetLyrics(lyrics);
    for (int32_t p = editor.text.LyricsStart(); p < editor.text.Length(); ++p) {
      if (random() % 3 == 0 && editor.text.CanSetSyncpoint(p)) editor.text.SetSyncpoint(p, false);
    }
    // Every unit stamped; pairs touch or leave gaps, long and short.
    int32_t time = static_cast<int32_t>(random() % 400000);
    for (int32_t u = 0; u < editor.text.UnitCount(); ++u) {
      const int32_t length = 1 + static_cast<int32_t>(random() % (random() % 4 ? 60 : 9000));
      editor.Stamp(time, time + length);
      time += length + (random() % 2 ? 0 : static_cast<int32_t>(random() % 300));
    }
    const std::string file = editor.SaveWordLrc();
    ASSERT_NE(file, "failed");

    EditorFixture reopened(editor.isLead);
    ASSERT_TRUE(reopened.OpenLrc(file));
    for (int field = 0; field < 4; ++field) EXPECT_EQ(reopened.Header(field), editor.Header(field));
    EXPECT_EQ(reopened.Lyrics(), editor.Lyrics());
    EXPECT_EQ(reopened.Syncpoints(), editor.Syncpoints());
    EXPECT_EQ(reopened.Pairs(), editor.Pairs());
    EXPECT_EQ(FindWindowDifference(reopened.window, reopened.text), "");
    EXPECT_EQ(reopened.SaveWordLrc(), file);
  }
}

}  // namespace
