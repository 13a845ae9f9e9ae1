#include "filters/core/pair_history.h"

#include <algorithm>

namespace {

// `pairs` without its first `head` and last `tail` pairs.
PairList Middle(const PairList& pairs, size_t head, size_t tail) {
  return PairList(pairs.begin() + static_cast<std::ptrdiff_t>(head),
                  pairs.end() - static_cast<std::ptrdiff_t>(tail));
}

}  // namespace

PairHistory::PairHistory(size_t limit) : limit_(std::max<size_t>(limit, 1)) {}

bool PairHistory::Apply(PairList& pairs, const PairEdit& edit, size_t* firstChanged) {
  if (edit.first > pairs.size() || edit.removeCount > pairs.size() - edit.first) return false;
  // Keep only the pairs that really change, so that a step's first pair is
  // the first one it changed.
  Step step{edit.first, {}, edit.inserted};
  auto old = pairs.begin() + static_cast<std::ptrdiff_t>(edit.first);
  step.removed.assign(old, old + static_cast<std::ptrdiff_t>(edit.removeCount));
  size_t head = 0;
  while (head < step.removed.size() && head < step.inserted.size() &&
         step.removed[head] == step.inserted[head]) {
    ++head;
  }
  size_t tail = 0;
  while (tail < step.removed.size() - head && tail < step.inserted.size() - head &&
         step.removed[step.removed.size() - 1 - tail] ==
             step.inserted[step.inserted.size() - 1 - tail]) {
    ++tail;
  }
  if (head == step.removed.size() && head == step.inserted.size()) return false;
  step.first += head;
  step.removed = Middle(step.removed, head, tail);
  step.inserted = Middle(step.inserted, head, tail);
  Swap(pairs, step.first, step.removed, step.inserted);
  if (firstChanged) *firstChanged = step.first;
  steps_.resize(applied_);
  if (steps_.size() == limit_) steps_.pop_front();
  steps_.push_back(std::move(step));
  applied_ = steps_.size();
  return true;
}

bool PairHistory::Swap(PairList& pairs, size_t first, const PairList& out, const PairList& in) {
  PairEdit edit;
  edit.first = first;
  edit.removeCount = out.size();
  edit.inserted = in;
  return ApplyPairEdit(pairs, edit, nullptr);
}

bool PairHistory::Undo(PairList& pairs, size_t* firstChanged) {
  if (applied_ == 0) return false;
  const Step& step = steps_[applied_ - 1];
  if (!Swap(pairs, step.first, step.inserted, step.removed)) return false;
  --applied_;
  if (firstChanged) *firstChanged = step.first;
  return true;
}

bool PairHistory::Redo(PairList& pairs, size_t* firstChanged) {
  if (applied_ == steps_.size()) return false;
  const Step& step = steps_[applied_];
  if (!Swap(pairs, step.first, step.removed, step.inserted)) return false;
  ++applied_;
  if (firstChanged) *firstChanged = step.first;
  return true;
}

int32_t PairHistory::StepTime(const Step& step) {
  if (step.removed.empty()) return step.inserted.empty() ? 0 : step.inserted.front().start;
  if (step.inserted.empty()) return step.removed.front().start;
  return std::min(step.removed.front().start, step.inserted.front().start);
}

bool PairHistory::PeekUndo(int32_t* time) const {
  if (applied_ == 0) return false;
  if (time) *time = StepTime(steps_[applied_ - 1]);
  return true;
}

bool PairHistory::PeekRedo(int32_t* time) const {
  if (applied_ == steps_.size()) return false;
  if (time) *time = StepTime(steps_[applied_]);
  return true;
}

void PairHistory::Clear() {
  steps_.clear();
  applied_ = 0;
}
