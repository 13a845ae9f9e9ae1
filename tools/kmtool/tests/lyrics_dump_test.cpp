#include "tools/kmtool/lyrics_dump.h"

#include <gtest/gtest.h>

#include "lyrics/km_parser.h"
#include "lyrics/tests/km_builder.h"

namespace {

TEST(LyricsDump, PrintsEveryTableInOrder) {
  TimedLyrics lyrics;
  std::string file = KmBuilder()
                         .Line("Hi there")
                         .Piece(0, 0, 3, 10, 20)
                         .Piece(0, 3, kKmNoOffset, 20, 30)
                         .Piece(0, 0, kKmNoOffset, 40, 50)
                         .Bytes();
  ASSERT_EQ(ParseKmFile(ToBuffer(file), NoLeadBytes, lyrics), LoadStatus::Loaded);
  EXPECT_EQ(FormatLyricsDump(lyrics),
            "text-lines 1\n"
            "T 0 9 \"Hi there \"\n"
            "display-lines 2\n"
            "D 0 0 0\n"
            "D 1 0 2\n"
            "syncpoints 3\n"
            "S 0 0 3 0 3 10 20\n"
            "S 1 0 65535 3 65535 20 30\n"
            "S 2 1 65535 0 65535 40 50\n");
}

TEST(LyricsDump, EscapesQuotesBackslashesAndBytesOutsidePrintableAscii) {
  char text[] = "\"\\\x1F\x7F\x80\xFF~ ";
  TextLine line{text, 8, 0};
  TimedLyrics lyrics;
  lyrics.textLines = &line;
  lyrics.textLineCount = 1;
  std::string dump = FormatLyricsDump(lyrics);
  lyrics.textLines = nullptr;  // not owned
  lyrics.textLineCount = 0;
  EXPECT_EQ(dump,
            "text-lines 1\n"
            "T 0 8 \"\\x22\\x5C\\x1F\\x7F\\x80\\xFF~ \"\n"
            "display-lines 0\n"
            "syncpoints 0\n");
}

TEST(LyricsDump, PrintsNegativeTimesAsSigned) {
  Syncpoint piece{0, kToLineEnd, 0, kToLineEnd, -150, -149};
  char text[] = "a ";
  TextLine line{text, 2, 0};
  DisplayLine display{0, 0};
  TimedLyrics lyrics;
  lyrics.textLines = &line;
  lyrics.displayLines = &display;
  lyrics.syncpoints = &piece;
  lyrics.textLineCount = lyrics.displayLineCount = lyrics.syncpointCount = 1;
  std::string dump = FormatLyricsDump(lyrics);
  lyrics.textLines = nullptr;
  lyrics.displayLines = nullptr;
  lyrics.syncpoints = nullptr;
  lyrics.textLineCount = lyrics.displayLineCount = lyrics.syncpointCount = 0;
  EXPECT_NE(dump.find("S 0 0 65535 0 65535 -150 -149\n"), std::string::npos) << dump;
}

}  // namespace
