// The one classifier of LRC tags ("[key:value]") of the system.
#pragma once

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

// Finds and classifies the next tag in the NUL-terminated `text`. For every
// kind but kLrcNoTag, `open` and `close` receive the offsets of "[" and "]";
// for offset and time tags `value` receives the number in centiseconds.
// The text may be modified while parsing but is restored before return.
LrcTagKind ParseLrcTag(char* text, LeadBytePredicate isLead, int32_t& open, int32_t& close,
                       int32_t& value);
