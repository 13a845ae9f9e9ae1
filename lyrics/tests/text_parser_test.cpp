#include "lyrics/text_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/tests/km_builder.h"

namespace {

LoadStatus Parse(const std::string& text, const PlainTextTiming& timing, TimedLyrics& lyrics) {
  return ParsePlainText(ToBuffer(text), NoLeadBytes, timing, lyrics);
}

std::vector<int32_t> StartTimes(const TimedLyrics& lyrics) {
  std::vector<int32_t> times;
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) times.push_back(lyrics.syncpoints[i].startTime);
  return times;
}

std::vector<std::string> Lines(const TimedLyrics& lyrics) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < lyrics.displayLineCount; ++i) {
    const TextLine& line = lyrics.textLines[lyrics.displayLines[i].textLine];
    lines.push_back(std::string(line.text, line.length));
  }
  return lines;
}

const PlainTextTiming kThreeMinutes = WinampTextTiming(180);

TEST(PlainText, SpreadsTheLinesEvenlyOverTheSong) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("one\r\ntwo\r\nthree\r\nfour\r\nfive", kThreeMinutes, lyrics), LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{0, 3600, 7200, 10800, 14400}));
  EXPECT_EQ(Lines(lyrics), (std::vector<std::string>{"one ", "two ", "three ", "four ", "five "}));
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    EXPECT_EQ(piece.line, i);
    EXPECT_EQ(piece.startPos, 0);
    EXPECT_EQ(piece.endByte, lyrics.textLines[i].length);
    EXPECT_EQ(piece.endPos, piece.endByte);
    EXPECT_EQ(piece.endTime, piece.startTime + 1);
  }
}

TEST(PlainText, AFinalLineBreakAddsAnEmptyLastLine) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n", kThreeMinutes, lyrics),
            LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{0, 3000, 6000, 9000, 12000, 15000}));
  EXPECT_EQ(Lines(lyrics).back(), " ");
}

TEST(PlainText, EveryKindOfLineBreakEndsOneLine) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\nb", {"a ", "b "}},
      {"a\rb", {"a ", "b "}},
      {"a\r\nb", {"a ", "b "}},
      {"a\r\r\nb", {"a ", "b "}},          // CR CR LF is one break
      {"a\r\n\r\nb", {"a ", " ", "b "}},   // a blank line stays a line
      {"a\n\nb", {"a ", " ", "b "}},
      {"a\n\rb", {"a ", " ", "b "}},       // LF then CR: two breaks
      {"\n", {" ", " "}},
      {"x", {"x "}},
  };
  for (const Case& c : cases) {
    TimedLyrics lyrics;
    ASSERT_EQ(Parse(c.text, kThreeMinutes, lyrics), LoadStatus::Loaded) << c.text;
    EXPECT_EQ(Lines(lyrics), c.lines) << c.text;
  }
}

TEST(PlainText, WinampWithoutALengthSpreadsOverThreeMinutesAndMarksTheEnd) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("a\nb\nc", WinampTextTiming(-1), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{0, 6000, 12000}));
  EXPECT_EQ(lyrics.syncpoints[2].endTime, INT32_MAX);
  EXPECT_EQ(lyrics.syncpoints[1].endTime, 6001);
  ASSERT_EQ(Parse("a\nb\nc", WinampTextTiming(30), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.syncpoints[2].endTime, 2001);
}

TEST(PlainText, MediaPlayerDropsLinesThatWouldStartTogether) {
  TimedLyrics lyrics;
  // No duration yet: every line would start at 0, so only the first stays.
  ASSERT_EQ(Parse("a\nb\nc", MediaPlayerTextTiming(0), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(Lines(lyrics), (std::vector<std::string>{"a "}));
  EXPECT_EQ(lyrics.textLineCount, 1);

  // 0.02 s over three lines: 0, 0, 1. The tables stay matched.
  ASSERT_EQ(Parse("a\nb\nc", MediaPlayerTextTiming(0.02), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(Lines(lyrics), (std::vector<std::string>{"a ", "c "}));
  ASSERT_EQ(lyrics.textLineCount, 2);
  ASSERT_EQ(lyrics.displayLineCount, 2);
  for (int32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(lyrics.displayLines[i].textLine, i);
    EXPECT_EQ(lyrics.displayLines[i].firstSyncpoint, i);
    EXPECT_EQ(lyrics.syncpoints[i].line, i);
  }

  // Seconds are truncated to centiseconds.
  ASSERT_EQ(Parse("a\nb", MediaPlayerTextTiming(10.009), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{0, 500}));
}

TEST(PlainText, AnEmptyFileFailsAndLeavesTheModelEmpty) {
  TimedLyrics lyrics;
  EXPECT_EQ(Parse("", kThreeMinutes, lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
}

TEST(PlainText, LongSongsWithManyLinesDoNotOverflowTheTimes) {
  std::string text;
  for (int i = 0; i < 9999; ++i) text += "la\n";
  text += "end";
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(text, WinampTextTiming(3600), lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.syncpointCount, 10000);
  EXPECT_EQ(lyrics.syncpoints[9999].startTime, 359964);  // 360000 * 9999 / 10000
}

TEST(PlainText, OverlongLinesAreCutToWhatSixteenBitOffsetsHold) {
  std::string text(70000, 'x');
  text += "\nshort";
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(text, kThreeMinutes, lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(lyrics.textLines[0].length, 65534);
  EXPECT_EQ(lyrics.textLines[0].text[65533], ' ');
  EXPECT_EQ(lyrics.syncpoints[0].endByte, 65534);
  EXPECT_EQ(Lines(lyrics)[1], "short ");

  // A cut never splits a double-byte character.
  std::string wide = "x";
  while (wide.size() < 70000) wide += "\x82\xA0";
  TimedLyrics cut;
  ASSERT_EQ(ParsePlainText(ToBuffer(wide), Cp932LeadByte, kThreeMinutes, cut), LoadStatus::Loaded);
  EXPECT_EQ(cut.textLines[0].length, 65534);  // "x", 32766 characters, the space
  EXPECT_EQ(static_cast<unsigned char>(cut.textLines[0].text[65532]), 0xA0);
}

TEST(PlainText, KeepsAsManyLinesAsSixteenBitLineIndexesHold) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(std::string(70000, '\n'), kThreeMinutes, lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.syncpointCount, 65536);
  EXPECT_EQ(lyrics.syncpoints[65535].line, 65535);
}

}  // namespace
