#include "lyrics/km_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "lyrics/tests/km_builder.h"

namespace {

constexpr uint16_t kEnd = kKmNoOffset;
constexpr uint32_t kNone = kKmNoTime;

LoadStatus Parse(const std::string& bytes, TimedLyrics& lyrics,
                 LeadBytePredicate isLead = NoLeadBytes) {
  return ParseKmFile(ToBuffer(bytes), isLead, lyrics);
}

std::string LineText(const TimedLyrics& lyrics, int index) {
  const TextLine& line = lyrics.textLines[index];
  return std::string(line.text, line.length);
}

// Two lines, the first sung twice, the second in two pieces:
//   "Twinkle" [100,200)  "little star" [300,350) [350,420)  "Twinkle" [500,600)
KmBuilder ThreeLineSong() {
  KmBuilder b;
  b.Header("Title", "Artist", "Album", "Editor")
      .Line("Twinkle")
      .Line("little star")
      .Piece(0, 0, kEnd, 100, 200)
      .Piece(1, 0, 7, 300, 350, 1)
      .Piece(1, 7, kEnd, 350, 420)
      .Piece(0, 0, kEnd, 500, 600);
  return b;
}

TEST(KmParser, LoadsLinesPiecesAndDisplayLines) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(ThreeLineSong().Bytes(), lyrics), LoadStatus::Loaded);

  ASSERT_EQ(lyrics.textLineCount, 2);
  // The NUL that ended each text is now a counted space.
  EXPECT_EQ(LineText(lyrics, 0), "Twinkle ");
  EXPECT_EQ(lyrics.textLines[0].length, 8);
  EXPECT_EQ(LineText(lyrics, 1), "little star ");

  ASSERT_EQ(lyrics.displayLineCount, 3);
  EXPECT_EQ(lyrics.displayLines[0].textLine, 0);
  EXPECT_EQ(lyrics.displayLines[0].firstSyncpoint, 0);
  EXPECT_EQ(lyrics.displayLines[1].textLine, 1);
  EXPECT_EQ(lyrics.displayLines[1].firstSyncpoint, 1);
  // A line sung again shows the same text line.
  EXPECT_EQ(lyrics.displayLines[2].textLine, 0);
  EXPECT_EQ(lyrics.displayLines[2].firstSyncpoint, 3);

  ASSERT_EQ(lyrics.syncpointCount, 4);
  const Syncpoint& second = lyrics.syncpoints[1];
  EXPECT_EQ(second.line, 1);
  EXPECT_EQ(second.endByte, 7);
  EXPECT_EQ(second.startPos, 0);
  EXPECT_EQ(second.endPos, 7);
  EXPECT_EQ(second.startTime, 300);
  EXPECT_EQ(second.endTime, 350);
  const Syncpoint& third = lyrics.syncpoints[2];
  EXPECT_EQ(third.line, 1);
  EXPECT_EQ(third.endByte, kToLineEnd);
  EXPECT_EQ(third.startPos, 7);
  EXPECT_EQ(third.endPos, kToLineEnd);
  // Pieces are renumbered from text lines to display lines.
  EXPECT_EQ(lyrics.syncpoints[3].line, 2);

  // The text lines point into the owned buffer.
  EXPECT_GE(lyrics.textLines[0].text, lyrics.textBuffer);
}

TEST(KmParser, TextWithoutPaddingEndsAtTheEndOfTheData) {
  // 8 header NULs + "abc\0" = 12 bytes: a multiple of 4, no padding.
  KmBuilder b;
  b.Line("abc").Piece(0, 0, kEnd, 0, 10);
  ASSERT_EQ(b.TextData().size(), 12u);
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(b.Bytes(), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.textLineCount, 1);
  EXPECT_EQ(LineText(lyrics, 0), "abc ");
}

struct Corruption {
  const char* name;
  std::string bytes;
};

std::vector<Corruption> RejectedFiles() {
  const std::string good = ThreeLineSong().Bytes();
  const size_t textSize = ThreeLineSong().TextData().size();
  std::vector<Corruption> files;
  auto with = [&](const char* name, auto change) {
    std::string bytes = good;
    change(bytes);
    files.push_back({name, bytes});
  };
  files.push_back({"empty file", ""});
  files.push_back({"shorter than 24 bytes", good.substr(0, 23)});
  with("wrong magic", [](std::string& b) { b[1] = 'N'; });
  with("magic without zero bytes", [](std::string& b) { b[3] = ' '; });
  with("size field one too large",
       [](std::string& b) { PutLe32(b, kKmSizeFieldOffset, uint32_t(b.size() - 7)); });
  with("size field one too small",
       [](std::string& b) { PutLe32(b, kKmSizeFieldOffset, uint32_t(b.size() - 9)); });
  with("one byte appended", [](std::string& b) {
    b += '\0';
    PutLe32(b, kKmSizeFieldOffset, uint32_t(b.size() - 8));
  });
  with("wrong text id", [](std::string& b) { b[8] = 't'; });
  with("text size 0", [](std::string& b) { PutLe32(b, 12, 0); });
  with("text size reaching the end", [](std::string& b) { PutLe32(b, 12, uint32_t(b.size() - 16)); });
  with("text size past the end", [](std::string& b) { PutLe32(b, 12, 0xFFFFFFF0u); });
  with("text size leaving no room for the sync header",
       [](std::string& b) { PutLe32(b, 12, uint32_t(b.size() - 20)); });
  with("wrong sync id", [&](std::string& b) { b[KmSyncIdOffset(textSize)] = 'X'; });
  with("sync size 0", [&](std::string& b) { PutLe32(b, KmSyncSizeOffset(textSize), 0); });
  with("sync size off by one",
       [&](std::string& b) { PutLe32(b, KmSyncSizeOffset(textSize), 4 * 16 + 1); });
  with("title with CR", [](std::string& b) { b[16 + 2] = '\r'; });
  with("reserved header string with LF", [](std::string& b) {
    // "Title\0Artist\0Album\0Editor\0" is 26 bytes; the fifth string follows.
    b[16 + 26] = '\n';
  });
  files.push_back({"only seven header strings",
                   KmBuilder().RawText(std::string(7, '\0') + "x").Piece(0, 0, kEnd, 0, 1).Bytes()});
  files.push_back({"no line texts", KmBuilder().Piece(0, 0, kEnd, 0, 1).Bytes()});
  files.push_back({"line text cut off by the end of the data",
                   KmBuilder().RawText(std::string(8, '\0') + "abcd").Piece(0, 0, kEnd, 0, 1).Bytes()});
  files.push_back({"line text with CR",
                   KmBuilder().Line("ab\rc").Piece(0, 0, kEnd, 0, 1).Bytes()});
  files.push_back({"first entry not at the line start",
                   KmBuilder().Line("abc").Piece(0, 1, kEnd, 0, 1).Bytes()});
  files.push_back({"first entry without timestamp",
                   KmBuilder().Line("abc").Piece(0, 0, kEnd, kNone, kNone).Bytes()});
  files.push_back({"first entry on a missing line",
                   KmBuilder().Line("abc").Piece(1, 0, kEnd, 0, 1).Bytes()});
  return files;
}

TEST(KmParser, RejectsMalformedFilesAndLeavesTheModelEmpty) {
  for (const Corruption& file : RejectedFiles()) {
    TimedLyrics lyrics;
    EXPECT_EQ(Parse(file.bytes, lyrics), LoadStatus::Invalid) << file.name;
    EXPECT_TRUE(IsTimedLyricsEmpty(lyrics)) << file.name;
  }
}

TEST(KmParser, FailedLoadEmptiesAModelThatWasFilled) {
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(ThreeLineSong().Bytes(), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(Parse("KM", lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
}

struct PrefixCase {
  const char* name;
  KmBuilder file;
  int32_t kept;
};

// Line 0 "abcdef" (6 bytes), line 1 "xyz"; each case's last entry is the
// first one that must end the valid prefix, unless `kept` says otherwise.
std::vector<PrefixCase> PrefixCases() {
  auto base = [] {
    KmBuilder b;
    b.Line("abcdef").Line("xyz").Piece(0, 0, 3, 100, 200);
    return b;
  };
  std::vector<PrefixCase> cases;
  cases.push_back({"line index past the texts", base().Piece(0, 3, kEnd, 200, 300).Piece(2, 0, kEnd, 300, 400), 2});
  cases.push_back({"end offset equal to the line length", base().Piece(0, 3, 6, 200, 300), 1});
  cases.push_back({"end offset just inside the line", base().Piece(0, 3, 5, 200, 300).Piece(0, 5, kEnd, 300, 400), 3});
  cases.push_back({"end time missing", base().Piece(0, 3, kEnd, 200, kNone), 1});
  cases.push_back({"empty piece", base().Piece(0, 3, 3, 200, 300), 1});
  cases.push_back({"start time equal to end time", base().Piece(0, 3, kEnd, 250, 250), 1});
  cases.push_back({"start time after end time", base().Piece(0, 3, kEnd, 260, 250), 1});
  cases.push_back({"new line before the last ended", base().Piece(1, 0, kEnd, 200, 300), 1});
  cases.push_back({"piece of another line", base().Piece(1, 3, kEnd, 200, 300), 1});
  cases.push_back({"gap between pieces", base().Piece(0, 4, kEnd, 200, 300), 1});
  cases.push_back({"start equal to the previous end", base().Piece(0, 3, kEnd, 200, 300), 2});
  cases.push_back({"start 1 cs before the previous end", base().Piece(0, 3, kEnd, 199, 300), 1});
  cases.push_back({"times past the signed range", base().Piece(0, 3, kEnd, 200, 0x80000000u), 1});
  cases.push_back({"five entries, the last two untimed",
                   base().Piece(0, 3, kEnd, 200, 300).Piece(1, 0, kEnd, 300, 400)
                       .Piece(0, 0, kEnd, kNone, kNone).Piece(1, 0, kEnd, kNone, kNone),
                   3});
  cases.push_back({"unused entry", base().Piece(0, 3, kEnd, 200, 300).Piece(kEnd, kEnd, kEnd, kNone, kNone), 2});
  return cases;
}

TEST(KmParser, KeepsTheLongestValidPrefixOfEntries) {
  for (const PrefixCase& c : PrefixCases()) {
    TimedLyrics lyrics;
    ASSERT_EQ(Parse(c.file.Bytes(), lyrics), LoadStatus::Loaded) << c.name;
    EXPECT_EQ(lyrics.syncpointCount, c.kept) << c.name;
    // Every kept piece belongs to a display line that exists.
    for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
      EXPECT_LT(lyrics.syncpoints[i].line, lyrics.displayLineCount) << c.name;
    }
  }
}

TEST(KmParser, IgnoresARemainderOfTheSyncData) {
  std::string bytes = KmBuilder().Line("abc").Piece(0, 0, kEnd, 0, 10).Bytes();
  const size_t textSize = KmBuilder().Line("abc").TextData().size();
  bytes += "tail";  // 4 bytes that make no whole entry
  PutLe32(bytes, kKmSizeFieldOffset, uint32_t(bytes.size() - 8));
  PutLe32(bytes, KmSyncSizeOffset(textSize), 20);
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(bytes, lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.syncpointCount, 1);
}

TEST(KmParser, DisplayLineIndexesStayWithinSixteenBits) {
  KmBuilder b;
  b.Line("la");
  for (uint32_t i = 0; i < 65537; ++i) b.Piece(0, 0, kEnd, i * 2, i * 2 + 1);
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(b.Bytes(), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.displayLineCount, 65536);
  EXPECT_EQ(lyrics.syncpointCount, 65536);
  EXPECT_EQ(lyrics.syncpoints[65535].line, 65535);
}

// Shift-JIS: "\x82\xA0" and "\x82\xA2" are two double-byte characters.
TEST(KmParser, CountsDoubleByteCharactersAsTwoBytes) {
  KmBuilder b;
  b.Line("\x82\xA0\x82\xA2").Piece(0, 0, 2, 0, 10).Piece(0, 2, kEnd, 10, 20);
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(b.Bytes(), lyrics, Cp932LeadByte), LoadStatus::Loaded);
  EXPECT_EQ(lyrics.textLines[0].length, 5);
  EXPECT_EQ(lyrics.syncpoints[1].startPos, 2);
}

TEST(KmParser, SkipsDoubleByteCharactersWholeWhenLookingForLineBreaks) {
  // A trail byte equal to LF inside the title: one character in code page
  // 932, a line break in a single-byte code page.
  std::string file = KmBuilder().Header("\x81\n").Line("abc").Piece(0, 0, kEnd, 0, 10).Bytes();
  TimedLyrics lyrics;
  EXPECT_EQ(Parse(file, lyrics, Cp932LeadByte), LoadStatus::Loaded);
  EXPECT_EQ(Parse(file, lyrics, NoLeadBytes), LoadStatus::Invalid);
}

TEST(KmParser, ALeadByteBeforeTheNulDoesNotSwallowIt) {
  KmBuilder b;
  b.Header("x\x81").Line("ab\x81").Line("cd").Piece(1, 0, kEnd, 0, 10);
  TimedLyrics lyrics;
  ASSERT_EQ(Parse(b.Bytes(), lyrics, Cp932LeadByte), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(LineText(lyrics, 0), "ab\x81 ");
  EXPECT_EQ(LineText(lyrics, 1), "cd ");
}

}  // namespace
