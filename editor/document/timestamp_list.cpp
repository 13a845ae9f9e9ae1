#include "editor/document/timestamp_list.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

TimestampList::~TimestampList() { std::free(pairs_); }

int32_t TimestampList::Insert(int32_t start, int32_t end) {
  if (start < 0 || start >= end || end > kLastTimestampEnd) return -1;
  // The first pair that starts after the new one.
  int32_t low = 0, high = count_;
  while (low < high) {
    const int32_t middle = low + (high - low) / 2;
    if (pairs_[middle].start <= start) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low > 0 && start < pairs_[low - 1].end) return -1;
  if (low < count_ && end > pairs_[low].start) return -1;
  if (count_ == capacity_) {
    const int32_t capacity = capacity_ == 0 ? 64 : (capacity_ > INT32_MAX / 2 ? INT32_MAX : capacity_ * 2);
    if (capacity == capacity_ || static_cast<size_t>(capacity) > SIZE_MAX / sizeof(TimestampPair)) {
      return -1;
    }
    void* grown = std::realloc(pairs_, sizeof(TimestampPair) * static_cast<size_t>(capacity));
    if (!grown) return -1;
    pairs_ = static_cast<TimestampPair*>(grown);
    capacity_ = capacity;
  }
  std::memmove(pairs_ + low + 1, pairs_ + low, sizeof(TimestampPair) * static_cast<size_t>(count_ - low));
  pairs_[low] = TimestampPair{start, end};
  ++count_;
  return low;
}

bool TimestampList::MoveAll(int32_t delta) {
  if (count_ == 0) return false;
  if (static_cast<int64_t>(pairs_[0].start) + delta < 0) return false;
  if (static_cast<int64_t>(pairs_[count_ - 1].end) + delta > kLastTimestampEnd) return false;
  for (int32_t i = 0; i < count_; ++i) {
    pairs_[i].start += delta;
    pairs_[i].end += delta;
  }
  return true;
}

bool TimestampList::Get(int32_t index, TimestampPair* pair) const {
  if (index < 0 || index >= count_ || !pair) return false;
  *pair = pairs_[index];
  return true;
}
