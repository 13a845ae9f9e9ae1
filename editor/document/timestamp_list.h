// The timestamp pairs of the document while no lyrics display filter holds
// them: pair i belongs to timing unit i. Pairs are kept in time order and
// never overlap (a pair may end where the next one starts); every start is
// at least 0, below its end, and no end exceeds kLastTimestampEnd.
#pragma once

#include <cstdint>

struct TimestampPair {
  int32_t start;  // centiseconds
  int32_t end;
};

constexpr int32_t kLastTimestampEnd = 0x7FFFFFFE;

class TimestampList {
 public:
  TimestampList() = default;
  ~TimestampList();
  TimestampList(const TimestampList&) = delete;
  TimestampList& operator=(const TimestampList&) = delete;

  // Places the pair in time order and returns the index where it landed;
  // -1 when refused: start < 0, start >= end, end > kLastTimestampEnd, an
  // overlap with a stored pair, or no memory.
  int32_t Insert(int32_t start, int32_t end);
  // Adds `delta` to every time; false, with nothing moved, when the list is
  // empty or the first start would fall below 0 or the last end beyond
  // kLastTimestampEnd.
  bool MoveAll(int32_t delta);
  // False when `index` is not below the count.
  bool Get(int32_t index, TimestampPair* pair) const;
  int32_t Count() const { return count_; }
  // Empties the list; its storage stays for the next pairs.
  void Clear() { count_ = 0; }

 private:
  TimestampPair* pairs_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
};
