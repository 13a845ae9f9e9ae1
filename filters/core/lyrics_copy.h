// The display filter's copy of the lyrics: one LyricsChar per character (a
// double-byte character is one), and the timing units the text falls into,
// by the editor's own timing-unit rules. Positions count characters from the
// lyrics start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/document/timing_units.h"
#include "lyrics/lead_byte.h"

// One timing unit: characters [first, first + count), never a line break.
struct UnitSpan {
  size_t first;
  size_t count;
  size_t byteOffset;  // where its bytes start in UnitBytes()
  size_t byteCount;
};

class LyricsCopy {
 public:
  // Replaces characters [start, end) by the first `count` characters of
  // `text` (fewer when it ends first; null means none). A syncpoint whose
  // character comes to start a line is dropped, as the editor drops it.
  // False, with nothing changed, when the range is not in the text.
  bool Replace(size_t start, size_t end, const char* text, size_t count,
               LeadBytePredicate isLead);
  void Append(const char* text, LeadBytePredicate isLead);
  // Sets or clears the flag; a syncpoint is set only where one can stand.
  bool SetSyncpoint(size_t position, bool on);
  void Clear();

  size_t Length() const { return chars_.size(); }
  const LyricsChar& At(size_t position) const { return chars_[position]; }

  // The timing units in text order, and the bytes of their text one after
  // the other.
  const std::vector<UnitSpan>& Units() const;
  const std::string& UnitBytes() const;

 private:
  uint16_t CodeBefore(size_t position) const;
  void Rebuild() const;

  std::vector<LyricsChar> chars_;
  mutable std::vector<UnitSpan> units_;
  mutable std::string unitBytes_;
  mutable bool stale_ = false;
};
