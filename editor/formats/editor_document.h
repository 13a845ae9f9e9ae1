// What the editor's file readers and writers work on: the character model
// of the lyrics (LyricsDocument), the timestamp pairs of its units while no
// lyrics display filter holds them (TimestampList), and the text window
// that shows the same text.
//
// The readers fill all three together; the writers read the document and
// the pairs only. The lyrics display filter is not reached from here: after
// a reader succeeds, the window side hands the document's text, syncpoints
// and pairs to the filter when one exists, as it does for every new filter,
// and before a writer runs it copies the filter's pairs into the list.
#pragma once

#include <cstdint>

#include "editor/document/lyrics_document.h"
#include "editor/document/timestamp_list.h"
#include "editor/formats/text_window.h"
#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"

// The text of an empty document: the header block of five lines.
constexpr char kEmptyDocumentText[] = "Title: \rArtist: \rAlbum: \rEditor: \r\r";
constexpr int32_t kEmptyDocumentLength = 35;
constexpr int kHeaderFieldCount = 4;
// The labels of the four header lines: title, artist, album, editor.
extern const char* const kHeaderLabels[kHeaderFieldCount];

// Converts text that starts with a byte-order mark to the system's code
// page (ConvertMarkedTextToAnsi of lyrics/text_encoding.h).
using MarkedTextConversion = LoadStatus (*)(OwnedBuffer& contents);

struct EditorDocument {
  LyricsDocument& text;
  TimestampList& timestamps;
  TextWindow& window;
  // The lead-byte test the LyricsDocument was made with.
  LeadBytePredicate isLead;
  MarkedTextConversion toAnsi;
};

// Where the four header values stand: each runs from just after its label
// (or from the start of its line when the label is missing) to the line
// break. `intact` when every label is in place and the empty fifth line
// ends just before the lyrics.
struct HeaderLines {
  int32_t valueStart[kHeaderFieldCount];
  int32_t valueEnd[kHeaderFieldCount];
  bool intact;
};
HeaderLines FindHeaderLines(const LyricsDocument& document);

// New and Close: empties the four header values and the lyrics in the
// document and the window, clears the edit history and the pairs, and puts
// the caret at the lyrics start. A header that lost its shape is replaced
// by the empty header. False only when no memory can be had for that.
bool ResetToTemplate(EditorDocument& document);
