// The filter's copy of the lyrics and its timing units.
#include <gtest/gtest.h>

#include "filters/core/lyrics_copy.h"

namespace {

std::vector<std::string> UnitTexts(const LyricsCopy& copy) {
  std::vector<std::string> out;
  for (const UnitSpan& u : copy.Units()) out.push_back(copy.UnitBytes().substr(u.byteOffset, u.byteCount));
  return out;
}

TEST(LyricsCopy, UnitsRunFromTimingPointToTimingPoint) {
  LyricsCopy copy;
  copy.Append("twinkle twinkle\r\rlittle star", NoLeadBytes);
  EXPECT_EQ(UnitTexts(copy), (std::vector<std::string>{"twinkle twinkle", "little star"}));
  EXPECT_TRUE(copy.SetSyncpoint(3, true));
  EXPECT_TRUE(copy.SetSyncpoint(8, true));
  EXPECT_FALSE(copy.SetSyncpoint(0, true));   // a line's start
  EXPECT_FALSE(copy.SetSyncpoint(15, true));  // a line break
  EXPECT_FALSE(copy.SetSyncpoint(17, true));  // a line's start after an empty line
  EXPECT_EQ(UnitTexts(copy),
            (std::vector<std::string>{"twi", "nkle ", "twinkle", "little star"}));
  // Enter before a syncpoint character makes it a line's start: the flag goes.
  ASSERT_TRUE(copy.Replace(8, 8, "\r", 1, NoLeadBytes));
  EXPECT_EQ(copy.At(9).syncpoint, 0);
  EXPECT_TRUE(copy.Replace(8, 9, nullptr, 0, NoLeadBytes));
  EXPECT_EQ(UnitTexts(copy), (std::vector<std::string>{"twi", "nkle twinkle", "little star"}));
  EXPECT_FALSE(copy.Replace(5, 100, "x", 1, NoLeadBytes));
  // Double-byte characters count as one; the count limits what is taken.
  copy.Clear();
  copy.Append("\x82\xa0\x82\xa2", Cp932LeadByte);
  ASSERT_EQ(copy.Length(), 2u);
  ASSERT_TRUE(copy.SetSyncpoint(1, true));
  EXPECT_EQ(UnitTexts(copy), (std::vector<std::string>{"\x82\xa0", "\x82\xa2"}));
  ASSERT_TRUE(copy.Replace(1, 1, "abc", 2, Cp932LeadByte));
  EXPECT_EQ(copy.Length(), 4u);
}

}  // namespace
