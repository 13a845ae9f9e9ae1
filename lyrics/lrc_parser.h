// Reads LRC bytes into a TimedLyrics, as the plug-ins show them.
#pragma once

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"
#include "lyrics/timed_lyrics.h"

// Parses the whole file in `file` (ANSI bytes). On success the model owns
// the buffer; on failure it is freed and the model is left empty.
LoadStatus ParseLrcFile(OwnedBuffer file, LeadBytePredicate isLead, TimedLyrics& lyrics);
