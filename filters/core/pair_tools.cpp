#include "filters/core/pair_tools.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t kNoLimit = std::numeric_limits<int32_t>::max();

int32_t SongEnd(const PairBounds& bounds) {
  return bounds.songLength > 0 ? bounds.songLength : kNoLimit;
}

// The room pair i may move in: from the end of the pair before it (or 0) to
// the start of the pair after it (or the song's end).
void Room(const PairList& pairs, const PairBounds& bounds, size_t i, int32_t* low,
          int32_t* high) {
  *low = i > 0 ? pairs[i - 1].end : 0;
  *high = i + 1 < pairs.size() ? pairs[i + 1].start : SongEnd(bounds);
  // Pairs handed in from a file may already lie outside the song or before
  // 0; never push them further out.
  *low = std::min(*low, pairs[i].start);
  *high = std::max(*high, pairs[i].end);
}

bool Replace(size_t first, size_t count, PairList pairs, PairEdit* edit) {
  edit->first = first;
  edit->removeCount = count;
  edit->inserted = std::move(pairs);
  return true;
}

}  // namespace

bool PlanLiveStamp(const PairList& pairs, const PairBounds& bounds, int32_t press,
                   int32_t release, PairEdit* edit) {
  if (press < 0 || press >= SongEnd(bounds)) return false;
  size_t keep = FirstPairEndingAfter(pairs, press);
  if (keep >= bounds.unitCount) return false;
  int32_t end = std::min(std::max(release, press + 1), SongEnd(bounds));
  return Replace(keep, pairs.size() - keep, {{press, end}}, edit);
}

bool PlanDraggedStamp(const PairList& pairs, const PairBounds& bounds, int32_t a, int32_t b,
                      PairEdit* edit) {
  if (pairs.size() >= bounds.unitCount) return false;
  int32_t low = std::max(std::min(a, b), pairs.empty() ? 0 : pairs.back().end);
  int32_t high = std::min(std::max(a, b), SongEnd(bounds));
  if (low < 0 || high <= low) return false;
  return Replace(pairs.size(), 0, {{low, high}}, edit);
}

bool PlanRemove(const PairList& pairs, size_t i, PairEdit* edit) {
  if (i >= pairs.size()) return false;
  return Replace(i, 1, {}, edit);
}

bool PlanCombine(const PairList& pairs, size_t i, PairEdit* edit) {
  if (i == 0 || i >= pairs.size()) return false;
  return Replace(i - 1, 2, {{pairs[i - 1].start, pairs[i].end}}, edit);
}

bool PlanSplit(const PairList& pairs, size_t i, int32_t t, PairEdit* edit) {
  if (i >= pairs.size() || t <= pairs[i].start || t >= pairs[i].end) return false;
  return Replace(i, 1, {{pairs[i].start, t}, {t, pairs[i].end}}, edit);
}

bool PlanAdjust(const PairList& pairs, const PairBounds& bounds, size_t i, PairEdge edge,
                int32_t t, PairEdit* edit) {
  if (i >= pairs.size()) return false;
  int32_t low, high;
  Room(pairs, bounds, i, &low, &high);
  TimestampPair moved = pairs[i];
  if (edge == PairEdge::kStart) {
    moved.start = std::min(std::max(t, low), moved.end - 1);
  } else {
    moved.end = std::max(std::min(t, high), moved.start + 1);
  }
  if (moved == pairs[i]) return false;
  return Replace(i, 1, {moved}, edit);
}

bool PlanMove(const PairList& pairs, const PairBounds& bounds, size_t i, int32_t delta,
              PairEdit* edit) {
  if (i >= pairs.size()) return false;
  int32_t low, high;
  Room(pairs, bounds, i, &low, &high);
  int64_t shift = std::min<int64_t>(std::max<int64_t>(delta, int64_t(low) - pairs[i].start),
                                    int64_t(high) - pairs[i].end);
  if (shift == 0) return false;
  int32_t d = static_cast<int32_t>(shift);
  return Replace(i, 1, {{pairs[i].start + d, pairs[i].end + d}}, edit);
}

bool PlanMoveAll(const PairList& pairs, const PairBounds& bounds, int32_t delta, PairEdit* edit) {
  if (pairs.empty()) return false;
  int64_t low = std::min<int64_t>(0, pairs.front().start) - pairs.front().start;
  int64_t high = std::max<int64_t>(SongEnd(bounds), pairs.back().end) - pairs.back().end;
  int64_t shift = std::min<int64_t>(std::max<int64_t>(delta, low), high);
  if (shift == 0) return false;
  int32_t d = static_cast<int32_t>(shift);
  PairList moved(pairs);
  for (TimestampPair& p : moved) {
    p.start += d;
    p.end += d;
  }
  return Replace(0, pairs.size(), std::move(moved), edit);
}
