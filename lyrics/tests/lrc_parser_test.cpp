#include "lyrics/lrc_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

LoadStatus Parse(const std::string& bytes, TimedLyrics& lyrics,
                 LeadBytePredicate isLead = NoLeadBytes) {
  OwnedBuffer file;
  EXPECT_TRUE(file.Assign(bytes.data(), bytes.size()));
  return ParseLrcFile(std::move(file), isLead, lyrics);
}

// One display line as the plug-ins show it.
struct Shown {
  std::string text;
  int32_t time;
  bool operator==(const Shown& other) const { return text == other.text && time == other.time; }
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
  return out << "{\"" << shown.text << "\", " << shown.time << "}";
}

// The display lines in order, after checking what every LRC load promises:
// one piece per display line, spanning the whole line, sung in order.
std::vector<Shown> ShownLines(const TimedLyrics& lyrics) {
  std::vector<Shown> shown;
  EXPECT_EQ(lyrics.displayLineCount, lyrics.syncpointCount);
  EXPECT_LE(lyrics.syncpointCount, static_cast<int32_t>(kMaxLrcTimeTags));
  for (int32_t i = 0; i < lyrics.displayLineCount; ++i) {
    const DisplayLine& display = lyrics.displayLines[i];
    const Syncpoint& piece = lyrics.syncpoints[i];
    EXPECT_EQ(display.firstSyncpoint, i);
    EXPECT_GE(display.textLine, 0);
    EXPECT_LT(display.textLine, lyrics.textLineCount);
    if (display.textLine < 0 || display.textLine >= lyrics.textLineCount) break;
    const TextLine& line = lyrics.textLines[display.textLine];
    EXPECT_EQ(piece.line, i);
    EXPECT_EQ(piece.startPos, 0);
    EXPECT_EQ(piece.endByte, line.length);
    EXPECT_EQ(piece.endPos, line.length);
    EXPECT_LE(line.length, kMaxLrcLineLength);
    EXPECT_EQ(piece.endTime, piece.startTime + 1);
    if (i) {
      EXPECT_GT(piece.startTime, lyrics.syncpoints[i - 1].startTime);
    }
    EXPECT_EQ(line.text[line.length - 1], ' ');
    shown.push_back({std::string(line.text, line.length), piece.startTime});
  }
  return shown;
}

std::vector<Shown> Load(const std::string& bytes, LeadBytePredicate isLead = NoLeadBytes) {
  TimedLyrics lyrics;
  EXPECT_EQ(Parse(bytes, lyrics, isLead), LoadStatus::Loaded);
  return ShownLines(lyrics);
}

using Lines = std::vector<Shown>;

TEST(LrcParser, ReadsLinesWithEveryKindOfLineEnd) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(end[0] == '\n' ? "LF" : end[1] ? "CR LF" : "CR");
    const std::string e = end;
    TimedLyrics lyrics;
    ASSERT_EQ(Parse("[00:01.00]Hello" + e + "[00:02.50]world" + e, lyrics), LoadStatus::Loaded);
    EXPECT_EQ(ShownLines(lyrics), (Lines{{"Hello ", 100}, {"world ", 250}}));
    ASSERT_EQ(lyrics.textLineCount, 2);
    EXPECT_EQ(lyrics.textLines[0].length, 6);
    // The byte after the space is the rest of the line end or the next tag.
    EXPECT_EQ(lyrics.textLines[0].text[6], e.size() == 2 ? '\n' : '[');
  }
  // The last line may end with the file.
  EXPECT_EQ(Load("[00:01.00]end"), (Lines{{"end ", 100}}));
}

TEST(LrcParser, TimeTagsWithNothingBetweenShareOneLine) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("[00:10.00][01:20.00]twice\n[00:30.00]once\n", lyrics), LoadStatus::Loaded);
  EXPECT_EQ(ShownLines(lyrics), (Lines{{"twice ", 1000}, {"once ", 3000}, {"twice ", 8000}}));
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(lyrics.displayLines[0].textLine, 0);
  EXPECT_EQ(lyrics.displayLines[1].textLine, 1);
  EXPECT_EQ(lyrics.displayLines[2].textLine, 0);
}

TEST(LrcParser, TagsAroundAndInsideLines) {
  struct Case {
    const char* name;
    std::string bytes;
    Lines expected;
  };
  const Case cases[] = {
      {"information tags before the first time tag are skipped",
       "[ti:Title]\n[ar:Artist]\n[al:Album]\n[by:Maker]\n[la:en]\nnot timed\n[00:01.00]first\n",
       {{"first ", 100}}},
      {"a tag between words is cut out, both spaces kept",
       "[00:01.00]one [x:y] two\n", {{"one  two ", 100}}},
      {"several tags in one line", "[00:01.00]a [ti:b] c [:] d[ar:e]f\n", {{"a  c  df ", 100}}},
      {"a bracket without colon reaches to the next tag's close",
       "[00:01.00]one [x] two [al:z] three\n", {{"one  three ", 100}}},
      {"a tag directly after a time tag is skipped",
       "[00:01.00][ti:x]words\n", {{"words ", 100}}},
      {"time tags around a skipped tag still share a line",
       "[00:01.00][x:y][00:02.00]both\n", {{"both ", 100}, {"both ", 200}}},
      {"a by-tag line between timed lines is dropped",
       "[00:01.00]first\n[by:me]\n[00:02.00]second\n", {{"first ", 100}, {"second ", 200}}},
      {"text after a tag at a line start belongs to no line",
       "[00:01.00]first\n[ar:me] loose words\nmore\n[00:02.00]second\n",
       {{"first ", 100}, {"second ", 200}}},
      {"untimed lines after a timed line are dropped",
       "[00:01.00]first\nuntimed\n\n[00:02.00]second\n", {{"first ", 100}, {"second ", 200}}},
      {"a time tag inside a line ends the text there",
       "[00:01.00]one [00:02.00]two\n", {{"one  ", 100}, {"two ", 200}}},
      {"an empty timed line", "[00:01.00]\n[00:02.00]x\n", {{" ", 100}, {"x ", 200}}},
      {"a malformed time is cut out like any other tag",
       "[00:01.00]a[01:5x.00]b\n", {{"ab ", 100}}},
      {"a NUL ends the text and the file", std::string("[00:01.00]ab\0cd[00:02.00]x\n", 26),
       {{"ab ", 100}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Load(c.bytes), c.expected);
  }
}

TEST(LrcParser, OffsetShiftsEveryLine) {
  // The last offset tag of the file counts, wherever it stands.
  EXPECT_EQ(Load("[offset:1000]\n[00:00.00]a\n[00:05.00]b\n"), (Lines{{"a ", 100}, {"b ", 600}}));
  EXPECT_EQ(Load("[offset:50]\n[00:01.00]a\n[offset:1000]\n"), (Lines{{"a ", 200}}));
  EXPECT_EQ(Load("[offset:-15]\n[00:01.00]a\n"), (Lines{{"a ", 99}}));
  // An offset that does not fit is not an offset.
  EXPECT_EQ(Load("[offset:99999999999]\n[00:01.00]a\n"), (Lines{{"a ", 100}}));
}

TEST(LrcParser, NegativeTimesComeFirst) {
  // Signed order: the line pushed before 0 is sung first, not last.
  EXPECT_EQ(Load("[offset:-2000]\n[00:03.00]later\n[00:01.00]earlier\n[00:10.00]last\n"),
            (Lines{{"earlier ", -100}, {"later ", 100}, {"last ", 800}}));
  EXPECT_EQ(Load("[offset:-2147483648]\n[00:00.00]a\n[00:01.00]b\n"),
            (Lines{{"a ", -214748364}, {"b ", -214748264}}));
}

TEST(LrcParser, TimesNearTheLimitDoNotWrap) {
  // The largest time plus an offset stays below INT32_MAX, so that the end
  // time still fits; a line that ties with it there is dropped.
  EXPECT_EQ(Load("[offset:1000]\n[00:01.00]a\n[00:21474836.47]b\n[00:21474836.00]c\n"),
            (Lines{{"a ", 200}, {"b ", INT32_MAX - 1}}));
}

TEST(LrcParser, FirstLineReadWinsAtEqualTimes) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("[00:01.00]first\n[00:02.00]two\n[00:01.00]second\n[00:01.00][00:01.00]x\n",
                  lyrics),
            LoadStatus::Loaded);
  EXPECT_EQ(ShownLines(lyrics), (Lines{{"first ", 100}, {"two ", 200}}));
  // The lines that lost keep their text lines.
  EXPECT_EQ(lyrics.textLineCount, 4);
}

TEST(LrcParser, LongLinesAreCutToWhatTheOffsetsHold) {
  const size_t maxText = kMaxLrcLineLength - 1;  // bytes before the trailing space
  struct Case {
    const char* name;
    std::string text;
    LeadBytePredicate isLead;
    size_t keptBytes;
  };
  const std::string dbcs = "\x82\xA0";
  const Case cases[] = {
      {"exactly the longest line", std::string(maxText, 'a'), NoLeadBytes, maxText},
      {"one byte too long", std::string(maxText + 1, 'a'), NoLeadBytes, maxText},
      {"far too long", std::string(200000, 'a'), NoLeadBytes, maxText},
      {"a double-byte character is not split", std::string(maxText - 1, 'a') + dbcs,
       Cp932LeadByte, maxText - 1},
      {"the same bytes in a single-byte code page", std::string(maxText - 1, 'a') + dbcs,
       NoLeadBytes, maxText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TimedLyrics lyrics;
    ASSERT_EQ(Parse("[00:01.00]" + c.text + "\r\n[00:02.00]next\r\n", lyrics, c.isLead),
              LoadStatus::Loaded);
    const Lines shown = ShownLines(lyrics);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, c.text.substr(0, c.keptBytes) + " ");
    EXPECT_EQ(lyrics.syncpoints[0].endByte, c.keptBytes + 1);
    EXPECT_NE(lyrics.syncpoints[0].endByte, kToLineEnd);
    EXPECT_EQ(shown[1], (Shown{"next ", 200}));
  }
  // Text moved down over a cut tag is capped the same way.
  TimedLyrics lyrics;
  ASSERT_EQ(Parse("[00:01.00]" + std::string(40000, 'a') + "[x:y]" + std::string(40000, 'b') +
                      "\n",
                  lyrics),
            LoadStatus::Loaded);
  const Lines shown = ShownLines(lyrics);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, std::string(40000, 'a') + std::string(maxText - 40000, 'b') + " ");
}

TEST(LrcParser, TimeTagsBeyondTheLineIndexRangeAreNotRead) {
  // Every display line index must fit the 16-bit line field of a piece.
  std::string bytes;
  const size_t lines = kMaxLrcTimeTags + 2;
  for (size_t i = 0; i < lines; ++i) {
    char tag[24];
    std::snprintf(tag, sizeof tag, "[%02u:%02u.%02u]x\n", unsigned(i / 6000),
                  unsigned(i / 100 % 60), unsigned(i % 100));
    bytes += tag;
  }
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(bytes, lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.syncpointCount, static_cast<int32_t>(kMaxLrcTimeTags));
  EXPECT_EQ(lyrics.textLineCount, static_cast<int32_t>(kMaxLrcTimeTags));
  const int32_t last = lyrics.syncpointCount - 1;
  EXPECT_EQ(lyrics.syncpoints[last].line, last);
  EXPECT_EQ(lyrics.displayLines[last].textLine, last);
  ShownLines(lyrics);
}

TEST(LrcParser, DoubleByteTextWithBracketTrailBytes) {
  // "\x83\x5B" and "\x83\x5D" are characters whose trail bytes are "[" and "]".
  const std::string text = "\x83\x5B\x83\x5D:\x83\x5D end";
  EXPECT_EQ(Load("[ti:\x83\x5D]\r\n[00:01.00]" + text + "\r\n[00:02.00]\x83\x5Bnext\r\n",
                 Cp932LeadByte),
            (Lines{{text + " ", 100}, {"\x83\x5Bnext ", 200}}));
  // A lead byte at the end of a line or of the file keeps its place in the
  // line, and the line still ends there.
  EXPECT_EQ(Load("[00:01.00]ab\x83\r\nlost\r\n[00:02.00]cd\x83", Cp932LeadByte),
            (Lines{{"ab\x83 ", 100}, {"cd\x83 ", 200}}));
}

TEST(LrcParser, FilesWithoutTimeTagsFailWithTheModelEmpty) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"information tags and words", "[ti:Only Information]\n[ar:Nobody]\nwords\n"},
      {"malformed times", "[100:00.00]a\n[01:5x.00]b\n[00:]c\n"},
      {"a bracket never closed", "[00:01.00 words\n"},
      {"a time tag after a NUL", std::string("\0[00:01.00]x\n", 13)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TimedLyrics lyrics;
    ASSERT_EQ(Parse("[00:01.00]old\n", lyrics), LoadStatus::Loaded);
    EXPECT_EQ(Parse(c.bytes, lyrics), LoadStatus::Invalid);
    EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  }
}

}  // namespace
