// What a reader found, and how it goes into the editor: the readers first
// collect the header values, the lyrics text and the syncpoints, and only
// then fill the document and the window together, so that a file that
// fails leaves them as the empty template.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editor/formats/editor_document.h"
#include "editor/formats/growable_array.h"

// The most bytes of lyrics the ".km" and LRC readers rebuild. Both can
// repeat one line text many times (by sync entries, by time tags), so a
// small file could ask for gigabytes; such a file is read up to this size.
constexpr size_t kMostRebuiltLyricsBytes = size_t{1} << 22;

struct LoadedLyrics {
  ByteBuilder header[kHeaderFieldCount];  // title, artist, album, editor
  ByteBuilder lyrics;                     // lines ended by single CRs
  // Positions relative to the lyrics start, in text order.
  GrowableArray<int32_t> syncpoints;
};

// Appends `size` bytes of text as the document and the window will both
// hold it: CR LF and LF become CR, NUL bytes are dropped, and a lead byte
// whose trail byte is missing, NUL, CR or LF becomes "?", so that a broken
// double-byte character can never swallow a line break.
bool AppendCleanText(const char* bytes, size_t size, LeadBytePredicate isLead, ByteBuilder* out);

// Appends the `size` bytes of one line (a ".km" line text or header string,
// an LRC line) character by character, as CharacterSize reads them: a lone
// lead byte, a double-byte character whose trail byte is CR or LF, and a
// CR, LF or NUL byte each become "?". Every character gives one.
bool AppendCleanLine(const char* bytes, size_t size, LeadBytePredicate isLead, ByteBuilder* out);

// The number of characters of the NUL-terminated `text` as the document
// counts them.
int32_t CountCharacters(const char* text, LeadBytePredicate isLead);

// Puts `loaded` into the document and the window, which hold the empty
// template, then shows the blanks, colours the units and puts the caret at
// the lyrics start. On failure (no memory, or a syncpoint the document
// refuses) everything returns to the empty template.
bool FillDocument(EditorDocument& document, LoadedLyrics& loaded);

// Replaces the lyrics of the document (the header stays) by the window's
// text after it took `text` (NUL-terminated), then paints them as above.
bool FillLyricsFromWindow(EditorDocument& document, const char* text);
