// Drives a LyricsDocument and a plain reference side by side (a code and a
// flag per character, the lyrics start, and whole snapshots for undo and
// redo) and reports the first difference. Used by the randomized test and
// the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/document/lyrics_document.h"

class DocumentChecker {
 public:
  DocumentChecker(LeadBytePredicate isLead, const char* initialText,
                  const NodeMemory& memory = HeapNodeMemory());

  // Each applies one operation to both and returns false when they
  // disagree (see Failure()).
  bool Replace(int32_t start, int32_t end, const std::string& text, int32_t count, EditLog log);
  bool Toggle(int32_t p, bool on, bool record);
  bool Undo() { return Step(true); }
  bool Redo() { return Step(false); }
  bool ClearHistory();
  // Compares the counters and the queries near the last operation and at a
  // few positions picked by `seed`; with `sweep`, also at every position
  // (in the direction chosen by `seed`) and for every unit.
  bool Check(uint32_t seed, bool sweep);

  // The characters of `text` as the document reads them.
  int32_t CountCharacters(const std::string& text) const;
  const std::string& Failure() const { return failure_; }
  int32_t Length() const { return static_cast<int32_t>(state_.codes.size()); }
  LyricsDocument& document() { return document_; }

 private:
  struct State {
    std::vector<uint16_t> codes;
    std::vector<uint8_t> flags;
    int32_t lyricsStart;
  };
  struct Snapshot {
    State state;  // before the edit on the undo side, after it on the redo side
    EditStep edit;
  };

  std::vector<uint16_t> Decode(const std::string& text) const;
  void Record(State before, EditStep edit, bool recorded);
  bool Step(bool undo);
  bool CheckPosition(int32_t p, bool alsoArray);
  bool CheckUnit(int32_t unit);
  // Notes the first difference.
  bool Same(const char* what, int64_t at, int64_t got, int64_t want);

  LeadBytePredicate isLead_;
  LyricsDocument document_;
  State state_;
  std::vector<Snapshot> undo_;  // oldest first
  std::vector<Snapshot> redo_;  // next redo last
  int32_t last_ = 0;            // where the last operation took place
  // Derived from state_ by Check: the running unit index at p + 1, the
  // positions of the timing points, and the text as an array.
  std::vector<int32_t> running_;
  std::vector<int32_t> points_;
  std::vector<LyricsChar> chars_;
  std::string failure_;
};
