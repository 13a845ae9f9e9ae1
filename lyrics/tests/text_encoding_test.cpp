// Byte-order-marked text is converted to the ANSI code page before parsing
// (Windows build: under Wine, whose ANSI code page here is 1252).
#include "lyrics/text_encoding.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "lyrics/lrc_file.h"
#include "lyrics/text_file.h"
#include "lyrics/tests/temp_file.h"

namespace {

std::string Convert(const std::string& bytes,
                    LoadStatus (*convert)(OwnedBuffer&) = ConvertMarkedTextToAnsi) {
  OwnedBuffer contents;
  contents.Assign(bytes.data(), bytes.size());
  EXPECT_EQ(convert(contents), LoadStatus::Loaded);
  return std::string(contents.data(), contents.size());
}

struct Case {
  const char* name;
  std::string in, out;
};

TEST(TextEncoding, MarkedTextBecomesAnsiAndUnmarkedTextStaysAsItIs) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252, not " << GetACP();
  const Case cases[] = {
      {"UTF-8", "\xEF\xBB\xBF" "caf\xC3\xA9\r\n", "caf\xE9\r\n"},
      {"UTF-8 outside the code page", "\xEF\xBB\xBF" "\xE3\x81\x82!", "?!"},
      {"UTF-8 invalid bytes", "\xEF\xBB\xBF" "a\xFF" "b", "a?b"},
      {"UTF-8 mark only", "\xEF\xBB\xBF", ""},
      {"UTF-16LE", std::string("\xFF\xFE" "c\0\xE9\0\n\0", 8), "c\xE9\n"},
      {"UTF-16BE", std::string("\xFE\xFF\0c\0\xE9\0\n", 8), "c\xE9\n"},
      {"UTF-16 odd last byte", std::string("\xFF\xFE" "a\0b", 5), "a"},
      {"no mark", "caf\xE9", "caf\xE9"},
      {"no mark, UTF-8 bytes", "caf\xC3\xA9", "caf\xC3\xA9"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.in), c.out) << c.name;
}

TEST(TextEncoding, APlainTextFileWithAMarkShowsNoMark) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
  std::string path = WriteTempFile("marked.txt", "\xEF\xBB\xBF" "\xC3\xA9t\xC3\xA9\r\nhiver");
  TimedLyrics lyrics;
  ASSERT_EQ(ReadTextFile(path.c_str(), WinampTextTiming(10), lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(std::string(lyrics.textLines[0].text, lyrics.textLines[0].length), "\xE9t\xE9 ");
  std::remove(path.c_str());

  path = WriteTempFile("mark-only.txt", "\xEF\xBB\xBF");
  EXPECT_EQ(ReadTextFile(path.c_str(), WinampTextTiming(10), lyrics), LoadStatus::Invalid);
  std::remove(path.c_str());
}

TEST(TextEncoding, LyricsInUnmarkedUtf8AreConvertedAndAnsiStaysAsItIs) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252, not " << GetACP();
  const Case cases[] = {
      {"UTF-8", "caf\xC3\xA9\r\n", "caf\xE9\r\n"},
      {"UTF-8 outside the code page", "\xE3\x81\x82!", "?!"},
      {"ANSI", "caf\xE9", "caf\xE9"},
      {"ANSI that is nearly UTF-8", "\xC3\xA9t\xE9", "\xC3\xA9t\xE9"},
      {"ASCII", "plain", "plain"},
      {"marked", "\xEF\xBB\xBF" "caf\xC3\xA9", "caf\xE9"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.in, ConvertUnicodeTextToAnsi), c.out) << c.name;
  // Both loaders of the plug-ins read through it.
  std::string path = WriteTempFile("utf8.lrc", "[00:01.00]<00:01.00>caf\xC3\xA9 <00:01.50>cr\xC3\xA8me\n");
  TimedLyrics lyrics;
  ASSERT_EQ(ReadLrcFile(path.c_str(), lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.syncpointCount, 2);
  EXPECT_EQ(std::string(lyrics.textLines[0].text, lyrics.textLines[0].length), "caf\xE9 cr\xE8me ");
  EXPECT_EQ(lyrics.syncpoints[1].startPos, 5);
  std::remove(path.c_str());
  path = WriteTempFile("utf8.txt", "\xC3\xA9t\xC3\xA9");
  ASSERT_EQ(ReadTextFile(path.c_str(), WinampTextTiming(10), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(std::string(lyrics.textLines[0].text, lyrics.textLines[0].length), "\xE9t\xE9 ");
  std::remove(path.c_str());
}

}  // namespace
