// Undo and redo of the pair list's changes. Each step keeps the splice it
// made and the pairs it took out, so undoing puts back exactly what was
// there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "filters/core/timestamp_pair.h"

class PairHistory {
 public:
  // Keeps the newest `limit` steps (at least one).
  explicit PairHistory(size_t limit = kDefaultLimit);

  // Applies `edit` to `pairs` and records it; the redo steps are dropped.
  // False, with nothing changed or recorded, when the edit does not fit the
  // list or changes no pair. `firstChanged` receives the index of the first
  // pair that changed.
  bool Apply(PairList& pairs, const PairEdit& edit, size_t* firstChanged = nullptr);

  // Undo or redo one step on `pairs`; `firstChanged` receives the index of
  // the first pair that changed. False when there is no step.
  bool Undo(PairList& pairs, size_t* firstChanged);
  bool Redo(PairList& pairs, size_t* firstChanged);

  // The time the next undo or redo concerns: the earliest start among the
  // pairs that step takes out or puts in. False when there is no step.
  bool PeekUndo(int32_t* time) const;
  bool PeekRedo(int32_t* time) const;

  size_t UndoCount() const { return applied_; }
  size_t RedoCount() const { return steps_.size() - applied_; }
  void Clear();

  static constexpr size_t kDefaultLimit = 1000;

 private:
  struct Step {
    size_t first;
    PairList removed;
    PairList inserted;
  };
  static bool Swap(PairList& pairs, size_t first, const PairList& out, const PairList& in);
  static int32_t StepTime(const Step& step);

  size_t limit_;
  std::deque<Step> steps_;  // [0, applied_) can be undone, the rest redone
  size_t applied_ = 0;
};
