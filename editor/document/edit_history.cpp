#include "editor/document/edit_history.h"

namespace {

int Next(int index) { return (index + 1) % EditHistory::kSize; }
int Previous(int index) { return (index + EditHistory::kSize - 1) % EditHistory::kSize; }

}  // namespace

void EditHistory::Drop(EditRecord& record) {
  pool_.Give(record.kept);
  record = EditRecord{};
}

EditRecord& EditHistory::Push() {
  for (int i = 0, index = Next(newest_); i < redoCount_; ++i, index = Next(index)) {
    Drop(ring_[index]);
  }
  redoCount_ = 0;
  newest_ = Next(newest_);
  Drop(ring_[newest_]);
  if (undoCount_ < kSize) ++undoCount_;
  return ring_[newest_];
}

EditRecord* EditHistory::NextUndo() { return undoCount_ > 0 ? &ring_[newest_] : nullptr; }

EditRecord* EditHistory::NextRedo() { return redoCount_ > 0 ? &ring_[Next(newest_)] : nullptr; }

void EditHistory::StepBack() {
  if (undoCount_ == 0) return;
  newest_ = Previous(newest_);
  --undoCount_;
  ++redoCount_;
}

void EditHistory::StepForward() {
  if (redoCount_ == 0) return;
  newest_ = Next(newest_);
  ++undoCount_;
  --redoCount_;
}

void EditHistory::Clear() {
  for (EditRecord& record : ring_) Drop(record);
  undoCount_ = 0;
  redoCount_ = 0;
}
