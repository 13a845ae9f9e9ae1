// The display filter's timestamp pairs and the one way they change: a
// splice that replaces a run of pairs by new ones. Every tool, undo and redo
// is such a splice, which keeps the history small and exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/document/timestamp_list.h"

inline bool operator==(const TimestampPair& a, const TimestampPair& b) {
  return a.start == b.start && a.end == b.end;
}
inline bool operator!=(const TimestampPair& a, const TimestampPair& b) { return !(a == b); }

// Pair i belongs to timing unit i. Pairs are in time order and do not
// overlap (one may end where the next starts).
using PairList = std::vector<TimestampPair>;

// Pairs [first, first + removeCount) give way to `inserted`.
struct PairEdit {
  size_t first = 0;
  size_t removeCount = 0;
  PairList inserted;
};

// Every pair has start < end and starts at or after the end of the one
// before it.
bool PairsWellFormed(const PairList& pairs);

// Applies `edit`; the pairs it took out go to `removed` when given. False,
// with `pairs` unchanged, when the edit reaches past the end of the list.
bool ApplyPairEdit(PairList& pairs, const PairEdit& edit, PairList* removed);

// Index of the pair with start <= t < end, or -1.
int PairHolding(const PairList& pairs, int32_t t);

// Index of the first pair whose end lies after t (pairs.size() when none).
size_t FirstPairEndingAfter(const PairList& pairs, int32_t t);

// The pair that holds t, else the first one that starts after t; -1 when
// there is neither.
int CurrentPairIndex(const PairList& pairs, int32_t t);
