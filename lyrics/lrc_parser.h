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

// Parses the whole file in `file` (ANSI bytes). Every time tag becomes one
// display line, sorted by signed start time (negative first); of several
// tags with one time the first read is kept. On success the model owns the
// buffer; on failure (no time tag) it is freed and the model is left empty.
LoadStatus ParseLrcFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics);
