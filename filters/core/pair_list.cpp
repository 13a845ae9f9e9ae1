#include "filters/core/timestamp_pair.h"

#include <algorithm>

bool PairsWellFormed(const PairList& pairs) {
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i].start >= pairs[i].end) return false;
    if (i > 0 && pairs[i].start < pairs[i - 1].end) return false;
  }
  return true;
}

bool ApplyPairEdit(PairList& pairs, const PairEdit& edit, PairList* removed) {
  if (edit.first > pairs.size() || edit.removeCount > pairs.size() - edit.first) return false;
  auto from = pairs.begin() + static_cast<std::ptrdiff_t>(edit.first);
  auto to = from + static_cast<std::ptrdiff_t>(edit.removeCount);
  if (removed) removed->assign(from, to);
  from = pairs.erase(from, to);
  pairs.insert(from, edit.inserted.begin(), edit.inserted.end());
  return true;
}

size_t FirstPairEndingAfter(const PairList& pairs, int32_t t) {
  auto it = std::upper_bound(pairs.begin(), pairs.end(), t,
                             [](int32_t time, const TimestampPair& p) { return time < p.end; });
  return static_cast<size_t>(it - pairs.begin());
}

int PairHolding(const PairList& pairs, int32_t t) {
  size_t i = FirstPairEndingAfter(pairs, t);
  if (i < pairs.size() && pairs[i].start <= t) return static_cast<int>(i);
  return -1;
}

int CurrentPairIndex(const PairList& pairs, int32_t t) {
  // The first pair ending after t either holds t or is the first one that
  // starts after it.
  size_t i = FirstPairEndingAfter(pairs, t);
  return i < pairs.size() ? static_cast<int>(i) : -1;
}
