// The document as the writers read it: its characters copied once, and the
// lyrics line by line with their distinct texts. Both formats store every
// distinct line text once, in the order of first appearance; empty lines
// are not texts. The document holds real blanks where the window may show
// "_", so the texts are the document's bytes.
#pragma once

#include <cstdint>

#include "editor/document/lyrics_document.h"
#include "editor/document/timing_units.h"
#include "editor/formats/editor_document.h"
#include "editor/formats/growable_array.h"

class DocumentSnapshot {
 public:
  // False when no memory can be had.
  bool Take(const LyricsDocument& document);

  const LyricsChar* chars() const { return chars_.data(); }
  int32_t length() const { return static_cast<int32_t>(chars_.size()); }
  int32_t lyricsStart() const { return lyricsStart_; }
  const HeaderLines& header() const { return header_; }
  // Appends the bytes of the characters [from, to).
  bool AppendBytes(int32_t from, int32_t to, ByteBuilder* out) const;

 private:
  GrowableArray<LyricsChar> chars_;
  int32_t lyricsStart_ = 0;
  HeaderLines header_{};
};

// One document line of the lyrics.
struct LyricsLine {
  int32_t start;         // position of its first character
  int32_t end;           // position of its line break (or the end of the text)
  int32_t text;          // index of its distinct text; -1 for an empty line
  int32_t unit;          // the unit that starts it (non-empty lines)
  int32_t previousSame;  // the line before it with the same text, or -1
};

struct LyricsLines {
  GrowableArray<LyricsLine> lines;  // every line from the lyrics start
  ByteBuilder texts;                // the distinct texts, each followed by a NUL
  GrowableArray<int32_t> textStart; // offset of each distinct text in `texts`
  GrowableArray<int32_t> lastLine;  // the last line holding each distinct text
  int64_t longestText = 0;          // in bytes
};

// False when no memory can be had.
bool CollectLyricsLines(const DocumentSnapshot& snapshot, LyricsLines* lines);
