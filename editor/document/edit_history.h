// The edit history of the lyrics document: a ring of the last 10 edits, of
// which the newest `UndoCount` can be undone and the following `RedoCount`
// redone.
#pragma once

#include <cstdint>

#include "editor/document/char_node_pool.h"

enum class EditKind : int32_t {
  kReplace = 1,
  kSyncpoint = 2,
  // A replacement after which the character following the new text lost
  // its syncpoint, because it came to start a line.
  kReplaceDroppingSyncpoint = 3,
};

struct EditRecord {
  EditKind kind;
  // Whether the colouring must be renewed from `position` when this step is
  // undone or redone.
  bool recolour;
  int32_t position;
  int32_t removedCount;
  int32_t insertedCount;
  // The lyrics start before the edit, which undo restores.
  int32_t lyricsStart;
  // The characters of the step that are not in the text, with their
  // syncpoint flags: the removed ones while the edit stands, the inserted
  // ones once it is undone. Linked by `next`, ended by null.
  CharNode* kept;
};

class EditHistory {
 public:
  static constexpr int kSize = 10;

  explicit EditHistory(CharNodePool& pool) : pool_(pool) {}
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // The record for a new edit, with no kept characters: the redoable steps
  // are dropped, and the oldest step when 10 are kept. Dropped characters
  // go back to the pool.
  EditRecord& Push();
  // The step the next undo or redo applies, or null when there is none.
  EditRecord* NextUndo();
  EditRecord* NextRedo();
  const EditRecord* NextUndo() const { return const_cast<EditHistory*>(this)->NextUndo(); }
  const EditRecord* NextRedo() const { return const_cast<EditHistory*>(this)->NextRedo(); }
  // Moves one step from undoable to redoable (after an undo) or back.
  void StepBack();
  void StepForward();
  void Clear();

  int32_t UndoCount() const { return undoCount_; }
  int32_t RedoCount() const { return redoCount_; }

 private:
  void Drop(EditRecord& record);

  CharNodePool& pool_;
  EditRecord ring_[kSize] = {};
  int newest_ = kSize - 1;
  int32_t undoCount_ = 0;
  int32_t redoCount_ = 0;
};
