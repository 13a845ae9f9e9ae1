// What each timing tool does to the pair list, as a plan: the splice that
// carries the change out. A plan is made from the list as it was when the
// mouse action began and the action's current extent, so a drag can show
// its result before the button comes up and then commit it as one step.
// Every planner returns false when the action would change nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filters/core/timestamp_pair.h"

// What bounds the tools: the number of timing units in the text (a new pair
// needs a unit without one) and the song's length in centiseconds (0 when
// unknown: no upper bound).
struct PairBounds {
  size_t unitCount = 0;
  int32_t songLength = 0;
};

// Set while playing: a unit started at `press` and ended at `release`. The
// pairs that end after `press` go first, so tapping again after a rewind
// re-times the song from there. The end is held after the start and within
// the song.
bool PlanLiveStamp(const PairList& pairs, const PairBounds& bounds, int32_t press,
                   int32_t release, PairEdit* edit);

// Set while paused: the dragged span [a, b] (either order) for the next
// unit, clipped to begin at the end of the last pair and to the song.
bool PlanDraggedStamp(const PairList& pairs, const PairBounds& bounds, int32_t a, int32_t b,
                      PairEdit* edit);

// Remove: pair i goes; the later pairs keep their times and belong to the
// preceding units from then on.
bool PlanRemove(const PairList& pairs, size_t i, PairEdit* edit);

// Combine: pair i joins the pair before it.
bool PlanCombine(const PairList& pairs, size_t i, PairEdit* edit);

// Split: pair i becomes (start, t) and (t, end); t must lie inside.
bool PlanSplit(const PairList& pairs, size_t i, int32_t t, PairEdit* edit);

enum class PairEdge { kStart, kEnd };

// Adjust: one edge of pair i goes to t, held between the neighbouring pairs
// (touching allowed), within the song, and with start < end.
bool PlanAdjust(const PairList& pairs, const PairBounds& bounds, size_t i, PairEdge edge,
                int32_t t, PairEdit* edit);

// Move: pair i moves whole by `delta`, held between its neighbours.
bool PlanMove(const PairList& pairs, const PairBounds& bounds, size_t i, int32_t delta,
              PairEdit* edit);

// Move All: every pair moves by `delta`, held so that the first start stays
// at or above 0 and the last end at or below the song's length.
bool PlanMoveAll(const PairList& pairs, const PairBounds& bounds, int32_t delta, PairEdit* edit);
