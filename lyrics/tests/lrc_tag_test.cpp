#include "lyrics/lrc_tag.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t kUntouched = -77;

struct TagCase {
  const char* text;
  LrcTagKind kind;
  int32_t open;
  int32_t close;
  int32_t value;  // kUntouched: the tag carries no number
  LeadBytePredicate isLead = NoLeadBytes;
};

void CheckCase(const TagCase& c, const std::string& text) {
  SCOPED_TRACE(testing::Message() << "text: \"" << text << "\"");
  std::string buffer = text;
  int32_t open = kUntouched, close = kUntouched, value = kUntouched;
  LrcTagKind kind = ParseLrcTag(&buffer[0], c.isLead, open, close, value);
  EXPECT_EQ(kind, c.kind);
  EXPECT_EQ(open, c.kind == kLrcNoTag ? kUntouched : c.open);
  EXPECT_EQ(close, c.kind == kLrcNoTag ? kUntouched : c.close);
  EXPECT_EQ(value, c.value);
  EXPECT_EQ(buffer, text) << "the text is restored";
}

TEST(LrcTag, TimeTags) {
  const TagCase cases[] = {
      {"[1:05.20]", kLrcTimeTag, 0, 8, 6520},
      {"[01:05.20]", kLrcTimeTag, 0, 9, 6520},
      // Digits after the point are one number modulo 100, not a fraction.
      {"[01:05.2]", kLrcTimeTag, 0, 8, 6502},
      {"[01:05.456]", kLrcTimeTag, 0, 10, 6556},
      // Without a point the digits after the colon are hundredths.
      {"[01:05]", kLrcTimeTag, 0, 6, 6005},
      {"[00:123]", kLrcTimeTag, 0, 7, 23},
      {"[00:.5]", kLrcTimeTag, 0, 6, 5},
      {"[00:5.]", kLrcTimeTag, 0, 6, 500},
      {"[99:75.00]", kLrcTimeTag, 0, 9, 99 * 6000 + 7500},
      {"[00:21474836.47]", kLrcTimeTag, 0, 15, INT32_MAX},
      // Many digits: hundredths stay modulo 100, leading zeros are harmless.
      {"[00:0000000000000000000001.12345678901234567890123]", kLrcTimeTag, 0, 50, 123},
      {"text [02:00.00] more", kLrcTimeTag, 5, 14, 12000},
  };
  for (const TagCase& c : cases) CheckCase(c, c.text);
}

TEST(LrcTag, MalformedTimesAreOtherTags) {
  const char* texts[] = {
      "[100:00.00]",  // three-digit minutes
      "[01:5x.00]", "[01:05..0]", "[01:.]", "[01:]", "[a:05.00]", "[0a:05.00]", "[01:05.00 ]",
      "[01:-5.00]", "[00:01:02]",
      // Larger than a signed 32-bit count of centiseconds.
      "[00:21474836.48]", "[01:21474836.00]", "[99:99999999999999999999999.00]",
  };
  for (const char* text : texts) {
    const int32_t close = static_cast<int32_t>(std::string(text).size()) - 1;
    CheckCase({text, kLrcOtherTag, 0, close, kUntouched}, text);
  }
}

TEST(LrcTag, OffsetTags) {
  const TagCase cases[] = {
      {"[offset:-500]", kLrcOffsetTag, 0, 12, -50},
      {"[OFFSET:1234]", kLrcOffsetTag, 0, 12, 123},
      {"[Offset:5]", kLrcOffsetTag, 0, 9, 0},
      {"[offset:-15]", kLrcOffsetTag, 0, 11, -1},  // toward zero
      {"[offset:0000000000000000000000001230]", kLrcOffsetTag, 0, 36, 123},
      {"[offset:2147483647]", kLrcOffsetTag, 0, 18, 214748364},
      {"[offset:-2147483648]", kLrcOffsetTag, 0, 19, -214748364},
      {"[offset:+500]", kLrcOtherTag, 0, 12, kUntouched},
      {"[offset:-]", kLrcOtherTag, 0, 9, kUntouched},
      {"[offset:]", kLrcOtherTag, 0, 8, kUntouched},
      {"[offset:1-2]", kLrcOtherTag, 0, 11, kUntouched},
      {"[offset:12.5]", kLrcOtherTag, 0, 12, kUntouched},
      // Milliseconds that do not fit 32 bits are rejected, not wrapped.
      {"[offset:2147483648]", kLrcOtherTag, 0, 18, kUntouched},
      {"[offset:-2147483649]", kLrcOtherTag, 0, 19, kUntouched},
      {"[offset:99999999999999999999999]", kLrcOtherTag, 0, 31, kUntouched},
      {"[offsets:100]", kLrcOtherTag, 0, 12, kUntouched},
  };
  for (const TagCase& c : cases) CheckCase(c, c.text);
}

TEST(LrcTag, InformationAndOtherTags) {
  const TagCase cases[] = {
      {"[ti:]", kLrcTitleTag, 0, 4, kUntouched},
      {"[TI:Song]", kLrcTitleTag, 0, 8, kUntouched},
      {"[Ar:Singer]", kLrcArtistTag, 0, 10, kUntouched},
      {"[al:Album]", kLrcAlbumTag, 0, 9, kUntouched},
      {"[LA:en]", kLrcLanguageTag, 0, 6, kUntouched},
      {"[by:me]", kLrcByTag, 0, 6, kUntouched},
      {"[ti:01:05]", kLrcTitleTag, 0, 9, kUntouched},
      {"[:]", kLrcEmptyTag, 0, 2, kUntouched},
      {"[:x]", kLrcOtherTag, 0, 3, kUntouched},
      {"[x:y]", kLrcOtherTag, 0, 4, kUntouched},
      {"[tit:y]", kLrcOtherTag, 0, 6, kUntouched},
      {"[t:y]", kLrcOtherTag, 0, 4, kUntouched},
      {"[length:03:20]", kLrcOtherTag, 0, 13, kUntouched},
      // A bracket without a colon reaches to the next tag that has one.
      {"a [x] b [ti:c] d", kLrcOtherTag, 2, 13, kUntouched},
      {"[a[b:c]", kLrcOtherTag, 0, 6, kUntouched},
      {"[x:y]]", kLrcOtherTag, 0, 4, kUntouched},
  };
  for (const TagCase& c : cases) CheckCase(c, c.text);
}

TEST(LrcTag, NoFurtherTag) {
  const char* texts[] = {"", "plain words", "[", "[ab", "[ab:c", "[abc]", "]:[", "x:y]",
                         "[x]:", "[ti:\n"};
  for (const char* text : texts) CheckCase({text, kLrcNoTag, 0, 0, kUntouched}, text);
}

TEST(LrcTag, DoubleByteCharactersAreSkippedWhole) {
  // In code page 932 the trail byte of a character may be "[" or "]".
  const TagCase cases[] = {
      {"\x83[[00:01.00]", kLrcTimeTag, 2, 11, 100, Cp932LeadByte},
      {"\x83[[00:01.00]", kLrcOtherTag, 1, 11, kUntouched, NoLeadBytes},
      {"[ti:\x83]]", kLrcTitleTag, 0, 6, kUntouched, Cp932LeadByte},
      {"[ti:\x83]]", kLrcTitleTag, 0, 5, kUntouched, NoLeadBytes},
      {"[ti:x\x83]", kLrcNoTag, 0, 0, kUntouched, Cp932LeadByte},
      // A lead byte does not reach over the terminating NUL.
      {"[ti:\x83", kLrcNoTag, 0, 0, kUntouched, Cp932LeadByte},
      {"\x83", kLrcNoTag, 0, 0, kUntouched, Cp932LeadByte},
      // A lead byte before ":" hides it.
      {"[x\x81:y]", kLrcNoTag, 0, 0, kUntouched, Cp932LeadByte},
      {"[x\x81:y]", kLrcOtherTag, 0, 5, kUntouched, NoLeadBytes},
  };
  for (const TagCase& c : cases) CheckCase(c, c.text);
}

}  // namespace
