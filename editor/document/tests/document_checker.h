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

  // Each applies one operation to both and returns false when the document
  // and the reference disagree (see Failure()).
  bool Replace(int32_t start, int32_t end, const std::string& text, int32_t count, EditLog log);
  bool Toggle(int32_t p, bool on, bool record);
  bool Undo();
  bool Redo();
  bool ClearHistory();
  // Compares the counters and every query at a few positions picked by
  // `seed`; with `sweep`, also at every position (in the direction chosen by
  // `seed`) and for every unit.
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
    bool operator==(const State& other) const {
      return codes == other.codes && flags == other.flags && lyricsStart == other.lyricsStart;
    }
  };
  struct Step {
    State state;  // before the edit on the undo side, after it on the redo side
    EditStep edit;
  };

  std::vector<uint16_t> Decode(const std::string& text) const;
  std::string Encode(const std::vector<uint16_t>& codes, int32_t from, int32_t count) const;
  void Record(State before, EditStep edit, bool recorded);
  bool CheckPeek(bool undo);
  bool CheckPosition(int32_t p, bool alsoArray);
  bool Fail(const std::string& what);

  LeadBytePredicate isLead_;
  LyricsDocument document_;
  State state_;
  std::vector<Step> undo_;  // oldest first
  std::vector<Step> redo_;  // next redo last
  // Derived from state_ by Check: the running unit index at p + 1 and the
  // positions of the timing points.
  std::vector<int32_t> running_;
  std::vector<int32_t> points_;
  std::vector<LyricsChar> chars_;
  int32_t last_ = 0;  // where the last operation took place
  std::string failure_;
};
