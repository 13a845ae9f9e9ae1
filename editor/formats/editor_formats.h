// The editor's readers and writers of its lyrics files, on bytes in memory:
// the native ".km" file, LRC and plain text. The window side reads and
// writes the files themselves.
//
// Readers take the whole file. A file of 0 bytes is a success that leaves
// the empty template. Any other file either opens, filling the document,
// the pairs and the window together (no edit history, the window not
// redrawn until the end, blanks shown and units coloured, the caret at the
// lyrics start), or fails with the document, the pairs and the window left
// as the empty template.
//
// Writers read the document and the pairs (the window side first copies the
// pairs of the lyrics display filter, when one exists, into the list). They
// return false when no memory can be had or the format cannot hold the
// document; true with an empty `file` when there is nothing to save (no
// unit, no pair and empty header values): no file is written then.
#pragma once

#include "editor/document/lyrics_document.h"
#include "editor/document/timestamp_list.h"
#include "editor/formats/editor_document.h"
#include "lyrics/owned_buffer.h"

// The native file: header values, line texts, syncpoints and every pair
// (also pairs beyond the last unit). Fails for more than 65,536 distinct
// line texts or a line longer than 65,534 bytes, which its 16-bit fields
// cannot hold.
bool SaveKmFile(const LyricsDocument& document, const TimestampList& timestamps, OwnedBuffer* file);
// False when the bytes are not a ".km" file (magic, size field, chunk ids
// and sizes). Lyric lines and pairs are taken up to the first that does not
// fit; blank lines between lyric lines come back, at most 12 in a row.
bool OpenKmFile(OwnedBuffer file, EditorDocument& document);

// Whether LRC can hold the document: it has pairs and no syncpoint.
bool CanSaveAsLrc(const LyricsDocument& document, const TimestampList& timestamps);
// Every line whose first unit has a pair, once per distinct text with all
// its times, and the non-empty header values as the ti, ar, al and by tags.
// Fails when the document has a syncpoint.
bool SaveLrcFile(const LyricsDocument& document, const TimestampList& timestamps,
                 OwnedBuffer* file);
// Whether word-timed LRC is the type to offer for the document: it has
// pairs and syncpoints.
bool CanSaveAsWordLrc(const LyricsDocument& document, const TimestampList& timestamps);
// Word-timed LRC: every lyric line whose first unit has a pair, once per
// document line in document order, as "[start of its first unit]", then
// for each unit "<its start>" and its text, with "<end>" after a unit that
// is followed by a gap and after the last unit; the non-empty header
// values as the ti, ar, al and by tags. OpenLrcFile reads it back with the
// same text, syncpoints and pairs, unless the text itself holds what reads
// as a tag ("[a:b]", "<a:b>"), which LRC cannot escape. Empty lines and
// lines whose first unit has no pair are left out (one empty line at the
// end stands for them, as in plain LRC); in the last stamped line, units
// without a pair follow untagged. Writable for any document; the Save As
// type is offered by CanSaveAsWordLrc.
bool SaveWordLrcFile(const LyricsDocument& document, const TimestampList& timestamps,
                     OwnedBuffer* file);

// Text with a byte-order mark is converted first. Every time-tagged line
// gets the pair (t, t + 1) and goes among the lyric lines in the order of
// its time; a time already taken drops its line. A line with word tags
// (lyrics/lrc_word_tags.h) gets a syncpoint on the first character of each
// timed word but the first and one pair per word; its pairs go in all
// together or not at all (any of them taken, or one falling into the gap
// between two words of a line already placed, drops the line). A line with
// several time tags repeats its words shifted by each tag's distance from
// the first. Never fails for its contents.
bool OpenLrcFile(OwnedBuffer file, EditorDocument& document);

// The whole text becomes the lyrics, below the empty header: no syncpoint,
// no pair. Text with a byte-order mark is converted first.
bool OpenTextFile(OwnedBuffer file, EditorDocument& document);
