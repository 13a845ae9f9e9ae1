// Reads LRC bytes into a TimedLyrics, as the plug-ins show them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"
#include "lyrics/timed_lyrics.h"

// Longest line kept, in bytes with its trailing space: the 16-bit byte
// offsets of a Syncpoint hold it without reaching kToLineEnd. Longer lines
// are cut at a character boundary.
constexpr int32_t kMaxLrcLineLength = 0xFFFE;

// Most time tags read: display line indices fit the 16-bit Syncpoint::line.
// Reading stops at the time tag after the last one that fits.
constexpr size_t kMaxLrcTimeTags = size_t{UINT16_MAX} + 1;

// Most pieces kept (16 bytes each): a line with many word tags and many
// time tags repeats all its pieces for each tag. Showings of a line that
// would pass this are dropped whole.
constexpr size_t kMaxLrcPieces = size_t{1} << 20;

// Parses the whole file in `file` (ANSI bytes). Every time tag becomes one
// display line, sorted by the signed start time of its first piece
// (negative first); of several lines with one start time the first read is
// kept. A line without word tags is one piece; a line with word tags
// (lrc_word_tags.h) is one piece per timed word, repeated for each of its
// time tags shifted by that tag's distance from its first, with the offset
// tag applied to every time. On success the model owns the
// buffer; on failure (no time tag) it is freed and the model is left empty.
LoadStatus ParseLrcFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics);
