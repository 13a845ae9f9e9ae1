#include "editor/document/timestamp_list.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(TimestampList, KeepsPairsInTimeOrderWithoutOverlap) {
  TimestampList list;
  std::vector<TimestampPair> reference;  // sorted by start
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    const int32_t start = static_cast<int32_t>(random() % 20000) - 10;
    const int32_t end = start + static_cast<int32_t>(random() % 40) - 2;
    size_t at = 0;
    while (at < reference.size() && reference[at].start <= start) ++at;
    const bool fits = start >= 0 && start < end && (at == 0 || reference[at - 1].end <= start) &&
                      (at == reference.size() || end <= reference[at].start);
    ASSERT_EQ(list.Insert(start, end), fits ? static_cast<int32_t>(at) : -1) << start << " " << end;
    if (fits) reference.insert(reference.begin() + at, TimestampPair{start, end});
  }
  ASSERT_EQ(list.Count(), static_cast<int32_t>(reference.size()));
  TimestampPair pair{};
  for (size_t i = 0; i < reference.size(); ++i) {
    ASSERT_TRUE(list.Get(static_cast<int32_t>(i), &pair));
    EXPECT_EQ(pair.start, reference[i].start);
    EXPECT_EQ(pair.end, reference[i].end);
  }
  EXPECT_FALSE(list.Get(list.Count(), &pair));
  EXPECT_FALSE(list.Get(-1, &pair));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Insert(5, 6), 0);
}

TEST(TimestampList, MovesAllPairsOnlyWithinTheTimeRange) {
  TimestampList list;
  EXPECT_FALSE(list.MoveAll(10));
  EXPECT_EQ(list.Insert(100, 200), 0);
  EXPECT_EQ(list.Insert(200, 300), 1);  // touching its neighbour is allowed
  EXPECT_EQ(list.Insert(0, kLastTimestampEnd + 1), -1);
  EXPECT_FALSE(list.MoveAll(-101));
  EXPECT_FALSE(list.MoveAll(kLastTimestampEnd - 299));
  EXPECT_TRUE(list.MoveAll(-100));
  EXPECT_TRUE(list.MoveAll(kLastTimestampEnd - 200));
  TimestampPair pair{};
  ASSERT_TRUE(list.Get(1, &pair));
  EXPECT_EQ(pair.start, kLastTimestampEnd - 100);
  EXPECT_EQ(pair.end, kLastTimestampEnd);
}

}  // namespace
