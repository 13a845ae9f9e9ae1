// The editor's character model of the lyrics text: one record per character
// of the text window (a double-byte character is one position), each with a
// syncpoint flag, and a history of the last 10 edits.
//
// The text begins with the header; the lyrics start is the position of the
// first lyrics character and moves with every edit before it. Text typed at
// the lyrics start is lyrics; text that replaces header characters up to
// past the lyrics start is header, and undo puts the start back. A syncpoint
// stands only on a lyrics character that is neither a line break nor the
// first of its line; the timing units are those of timing_units.h.
//
// Positions are reached from the nearest of two cursors (a position cursor
// and a unit cursor that keeps the running unit index) or of the two ends,
// so sequential queries walk the text once and an edit costs the size of
// the edit plus the distance to the nearest cursor. Queries move the
// cursors only; they change nothing the user can see.
//
// History: an edit recorded here can be undone (at most 10 in a row) with
// the very same characters and flags. An edit that is not recorded ends the
// history, because the positions of the recorded steps would no longer fit
// the text. Arguments out of range are refused by the result.
#pragma once

#include <cstdint>
#include <string>

#include "editor/document/char_node_pool.h"
#include "editor/document/edit_history.h"
#include "editor/document/timing_units.h"
#include "lyrics/lead_byte.h"

enum class EditLog {
  kNone,             // not recorded (ends the history)
  kRecord,           // recorded without recolouring on undo or redo
  kRecordRecolour,   // recorded; undo and redo renew the colouring
};

struct ReplaceResult {
  int32_t characters;     // characters inserted
  bool droppedSyncpoint;  // the character after the new text lost its syncpoint
};

// What the next undo or redo applies: the record's fields. For undo the
// text put back is the removed text (`removedCount` characters), for redo
// the inserted text (`insertedCount` characters).
struct EditStep {
  EditKind kind;
  bool recolour;
  int32_t position;
  int32_t removedCount;
  int32_t insertedCount;
};

class LyricsDocument {
 public:
  // `isLead` tells which bytes of the multibyte text lead a double-byte
  // character (IsDBCSLeadByte of the system's code page on Windows).
  explicit LyricsDocument(LeadBytePredicate isLead, const NodeMemory& memory = HeapNodeMemory());
  ~LyricsDocument() = default;
  LyricsDocument(const LyricsDocument&) = delete;
  LyricsDocument& operator=(const LyricsDocument&) = delete;

  // Only on an empty document: the characters of the NUL-terminated `text`
  // become the whole text and all of it the header. False when the document
  // is not empty or no memory can be had.
  bool Initialise(const char* text);

  // Replaces [start, end) by the first `count` characters of the
  // NUL-terminated multibyte `text` (null when count is 0). When the
  // character that then follows the new text carries a syncpoint and starts
  // a line, its syncpoint is dropped. False, with nothing changed, when the
  // range is not within the text, `text` holds fewer characters, or no
  // memory can be had. Replacing nothing by nothing changes and records
  // nothing.
  bool ReplaceRange(int32_t start, int32_t end, const char* text, int32_t count, EditLog log,
                    ReplaceResult* result = nullptr);

  // p >= lyrics start, neither the character at p nor the one before it is
  // a line break, and the flag is off (set) or on (remove).
  bool CanSetSyncpoint(int32_t p) const;
  bool CanRemoveSyncpoint(int32_t p) const;
  // As allowed above; recorded (kind 2, recolouring) when `record`. False
  // when not allowed.
  bool SetSyncpoint(int32_t p, bool record);
  bool RemoveSyncpoint(int32_t p, bool record);

  // Outside the text (p = -1, p >= length) stands a line break: code 13.
  uint16_t CharacterAt(int32_t p) const;
  bool IsSyncpointAt(int32_t p) const;

  // The index of the unit holding p: -1 in the header, 0 before the first
  // unit in the lyrics. p beyond the text counts as its end.
  int32_t UnitIndexAt(int32_t p) const;
  // The parity of the unit holding p (1 in the header and before the first
  // unit) and the position of the next timing point after p (the length
  // when there is none).
  UnitParityEnd UnitParityAndEnd(int32_t p) const;
  // The position of the timing point that starts unit i, or -1.
  int32_t UnitPosition(int32_t unit) const;
  // The position of the first line break at or after p (the length when
  // the text ends first).
  int32_t LineEndFrom(int32_t p) const;
  int32_t UnitCount() const { return unitCount_; }
  bool HasAnySyncpoint() const { return syncpointCount_ > 0; }

  int32_t UndoCount() const { return history_.UndoCount(); }
  int32_t RedoCount() const { return history_.RedoCount(); }
  // The step of the next undo or redo and, when `text` is given, the
  // multibyte text it puts back. False when there is none.
  bool PeekUndo(EditStep* step, std::string* text) const;
  bool PeekRedo(EditStep* step, std::string* text) const;
  // Relinks the kept characters and restores the flags as recorded. False
  // when there is no step.
  bool ApplyUndo() { return Apply(true); }
  bool ApplyRedo() { return Apply(false); }
  void ClearHistory() { history_.Clear(); }

  int32_t Length() const { return length_; }
  int32_t LyricsStart() const { return lyricsStart_; }

 private:
  struct NodePlace {
    CharNode* node;
    int32_t position;

    int32_t Position() const { return position; }
    uint16_t Code() const { return node->code; }
    bool Syncpoint() const { return node->syncpoint != 0; }
    uint16_t CodeBefore() const { return node->prev ? node->prev->code : kLineBreakCode; }
    bool AtEnd() const { return node->next == nullptr; }
    void Forward() { node = node->next, ++position; }
    void Back() { node = node->prev, --position; }
  };
  using NodeWalker = UnitWalker<NodePlace>;

  struct Chain {
    CharNode* first;  // null when empty
    CharNode* last;
    int32_t count;
  };

  // The sentinels, as places the mutable cursors may stand on.
  CharNode* Head() const { return const_cast<CharNode*>(&head_); }
  CharNode* Tail() const { return const_cast<CharNode*>(&tail_); }
  // The node at p (-1 to length), from the nearest cursor or end; moves the
  // position cursor there.
  CharNode* Locate(int32_t p) const;
  // Puts the unit cursor on the nearest of itself and the two ends, by
  // position or by unit index.
  void UnitCursorNear(int32_t target, bool byUnit) const;
  // The unit cursor moved to position p or to the start of unit `unit`.
  NodeWalker& UnitCursorAt(int32_t p) const;
  NodeWalker& UnitCursorAtUnit(int32_t unit) const;

  bool TakeCharacters(const char* text, int32_t count, Chain* chain);
  // Puts `chain` in the place of [start, end), with the lyrics start then
  // at `lyricsStart`, and returns the characters taken out, keeping the
  // counters and cursors in step.
  Chain Splice(int32_t start, int32_t end, Chain chain, int32_t lyricsStart,
               bool* droppedSyncpoint);
  int32_t CountTimingPoints(CharNode* first, int32_t position, int32_t count) const;
  void SetFlag(int32_t p, bool on);
  bool ToggleSyncpoint(int32_t p, bool on, bool record);
  bool Peek(const EditRecord* record, EditStep* step, std::string* text) const;
  bool Fits(const EditRecord& record, bool undo) const;
  void Restore(EditRecord& record, bool undo);
  bool Apply(bool undo);

  LeadBytePredicate isLead_;
  CharNodePool pool_;
  EditHistory history_;
  CharNode head_;
  CharNode tail_;
  int32_t length_ = 0;
  int32_t lyricsStart_ = 0;
  int32_t unitCount_ = 0;
  int32_t syncpointCount_ = 0;
  mutable NodePlace positionCursor_;
  mutable NodeWalker unitCursor_;
};
