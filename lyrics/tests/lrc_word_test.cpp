// Word-timed LRC lines in the plug-ins' loader: one piece per timed word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/lrc_parser.h"
#include "lyrics/text_encoding.h"

namespace {

// One piece as shown: its bytes of the line and its times.
struct Piece {
  std::string text;
  int32_t start;
  int32_t end;
  bool operator==(const Piece& other) const {
    return text == other.text && start == other.start && end == other.end;
  }
};

std::ostream& operator<<(std::ostream& out, const Piece& piece) {
  return out << "{\"" << piece.text << "\", " << piece.start << ", " << piece.end << "}";
}

using Line = std::vector<Piece>;

// The display lines with their pieces, after checking what every load
// promises: pieces consecutive, each line's pieces cover it from byte 0 to
// its end in order, start < end, and lines in the order of their first
// piece.
std::vector<Line> Load(const std::string& bytes, LeadBytePredicate isLead = NoLeadBytes) {
  OwnedBuffer file;
  EXPECT_TRUE(file.Assign(bytes.data(), bytes.size()));
  TimedLyrics lyrics;
  EXPECT_EQ(ParseLrcFile(std::move(file), isLead, lyrics), LoadStatus::Loaded);
  std::vector<Line> lines;
  for (int32_t d = 0; d < lyrics.displayLineCount; ++d) {
    const DisplayLine& display = lyrics.displayLines[d];
    const int32_t last = d + 1 < lyrics.displayLineCount ? lyrics.displayLines[d + 1].firstSyncpoint
                                                         : lyrics.syncpointCount;
    const TextLine& text = lyrics.textLines[display.textLine];
    Line line;
    int32_t byte = 0;
    for (int32_t s = display.firstSyncpoint; s < last; ++s) {
      const Syncpoint& piece = lyrics.syncpoints[s];
      EXPECT_EQ(piece.line, d);
      EXPECT_EQ(piece.startPos, byte);
      EXPECT_EQ(piece.endPos, piece.endByte);
      EXPECT_LT(piece.startPos, piece.endByte);
      EXPECT_LT(piece.startTime, piece.endTime);
      if (!line.empty()) {
        EXPECT_GE(piece.startTime, line.back().end);
      }
      line.push_back({std::string(text.text + piece.startPos, piece.endByte - piece.startPos),
                      piece.startTime, piece.endTime});
      byte = piece.endByte;
    }
    EXPECT_EQ(byte, text.length);
    if (d) {
      EXPECT_GT(line[0].start, lines.back()[0].start);
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(LrcWordTags, EachTimedWordIsAPieceEndingAtTheNextWordOrTheClosingTag) {
  // The common layout: a space after each word, a closing tag at the end.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>Hello <00:01.50>big <00:02.00>world <00:03.00>\r\n"),
            (std::vector<Line>{{{"Hello ", 100, 150}, {"big ", 150, 200}, {"world  ", 200, 300}}}));
  // Spaces outside the tags, text before the first tag, no closing tag, LF.
  EXPECT_EQ(Load("[00:01.00]Oh <00:01.20> yeah <00:01.60> yeah\n[00:05.00]next\n"),
            (std::vector<Line>{{{"Oh  yeah ", 120, 160}, {" yeah ", 160, 161}}, {{"next ", 500, 501}}}));
  // A tag directly before another closes the word before it: a gap.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>one<00:01.40><00:02.00> two<00:02.50>"),
            (std::vector<Line>{{{"one", 100, 140}, {" two ", 200, 250}}}));
  // The last tag followed by blanks only closes the line too.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>a <00:01.10>b <00:01.30> \r\n"),
            (std::vector<Line>{{{"a ", 100, 110}, {"b   ", 110, 130}}}));
  // Only a tag at the end: no word timing, the line as without it.
  EXPECT_EQ(Load("[00:01.00]hello <00:02.00>\r\n"), (std::vector<Line>{{{"hello  ", 100, 101}}}));
}

TEST(LrcWordTags, BadTagsAreCutAndLateOnesJoinTheWordBefore) {
  // Malformed tags vanish; a "<" that no tag follows is text.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>a <0x:1>b <1:00:00>c <3<00:01.50>d <3 e\r\n"),
            (std::vector<Line>{{{"a b c <3", 100, 150}, {"d <3 e ", 150, 151}}}));
  // A tag cut out of a bad one goes with it; a "<" it stood after can
  // then start a tag.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>a <x<0:5>:y>b <<00:01.50>c <00:0<0:7>2.00>d"),
            (std::vector<Line>{{{"a b <", 100, 150}, {"c ", 150, 200}, {"d ", 200, 201}}}));
  // A time not after the one before joins its word to the piece before.
  EXPECT_EQ(Load("[00:01.00]<00:02.00>a <00:01.00>b <00:02.00>c <00:03.00>d"),
            (std::vector<Line>{{{"a b c ", 200, 300}, {"d ", 300, 301}}}));
  // The same time forms as the line tags: one-digit minutes, no point.
  EXPECT_EQ(Load("[00:01.00]<1:02.5>x <01:03.5>y"),
            (std::vector<Line>{{{"x ", 6205, 6305}, {"y ", 6305, 6306}}}));
}

TEST(LrcWordTags, RepeatedLinesShiftTheirWordsAndTheOffsetMovesEveryTime) {
  const std::vector<Line> lines =
      Load("[offset:-100]\n[00:10.00][00:30.00]<00:10.00>la <00:10.50>la<00:11.00>\n"
           "[00:20.00]plain\n[00:20.00]<00:20.00>lost\n");
  EXPECT_EQ(lines, (std::vector<Line>{{{"la ", 990, 1040}, {"la ", 1040, 1090}},
                                      {{"plain ", 1990, 1991}},
                                      {{"la ", 2990, 3040}, {"la ", 3040, 3090}}}));
}

TEST(LrcWordTags, DoubleByteTextKeepsItsCharactersWhole) {
  // Shift-JIS: the pieces split between characters, never inside one.
  EXPECT_EQ(Load("[00:01.00]<00:01.00>\x82\xA0<00:01.20>\x82\xA2<00:01.40>", Cp932LeadByte),
            (std::vector<Line>{{{"\x82\xA0", 100, 120}, {"\x82\xA2 ", 120, 140}}}));
}

TEST(LrcWordTags, UnmarkedUtf8IsRecognisedOnlyWhenValidAndBeyondAscii) {
  struct Case {
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"plain ascii", false},
      {"caf\xC3\xA9", true},
      {"\xE3\x81\x82\xF0\x9F\x8E\xA4", true},
      {"caf\xE9", false},                 // Latin-1
      {"\x82\xA0\x82\xA2", false},        // Shift-JIS
      {"\xC0\xAF", false},                // overlong
      {"\xED\xA0\x80", false},            // surrogate
      {"\xF4\x90\x80\x80", false},        // past U+10FFFF
      {"ok \xC3", false},                 // cut short
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsMultiByteUtf8(c.bytes.data(), c.bytes.size()), c.utf8) << c.bytes;
  }
}

}  // namespace
