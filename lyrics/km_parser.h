// Reads ".km" bytes into a TimedLyrics, as the plug-ins show them.
#pragma once

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"
#include "lyrics/timed_lyrics.h"

// Parses the whole file in `file`. On success the model owns the buffer and
// its text lines point into it; on failure the buffer is freed and the
// model is left empty. A damaged tail of sync entries is not a failure:
// the longest valid prefix is kept.
LoadStatus ParseKmFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics);
