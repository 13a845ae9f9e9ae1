// The one classifier of LRC tags ("[key:value]") of the system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"

enum LrcTagKind : int {
  kLrcNoTag = 0,        // no "[" followed by ":" and then "]"
  kLrcOtherTag = 1,     // any other bracketed text
  kLrcEmptyTag = 2,     // [:]
  kLrcLanguageTag = 3,  // [la:...]
  kLrcOffsetTag = 4,    // [offset:n], n milliseconds
  kLrcTitleTag = 5,     // [ti:...]
  kLrcArtistTag = 6,    // [ar:...]
  kLrcAlbumTag = 7,     // [al:...]
  kLrcByTag = 8,        // [by:...]
  kLrcTimeTag = 9,      // [mm:ss.xx]
};

// Finds and classifies the next tag in the NUL-terminated `text`: the first
// "[", the first ":" after it and the first "]" after that, stepping over
// double-byte characters whole. For every kind but kLrcNoTag, `open` and
// `close` receive the offsets of "[" and "]"; for offset and time tags
// `value` receives the number in centiseconds (an offset in milliseconds is
// divided by 10, truncated toward zero). Outputs not named are left alone.
// A time or offset that does not fit a signed 32-bit count is kLrcOtherTag,
// and a tag that would lie beyond INT32_MAX bytes is not found. The text is
// only read.
LrcTagKind ParseLrcTag(char* text, LeadBytePredicate isLead, int32_t& open, int32_t& close,
                       int32_t& value);

// Whether the `length` bytes at `text`, the inside of a tag without its
// brackets ("mm:ss.xx"), are a time in one of the forms that time tags
// accept; the time goes to `value` (centiseconds).
bool ParseLrcTimeText(const char* text, size_t length, int32_t& value);
