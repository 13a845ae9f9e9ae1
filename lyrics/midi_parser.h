// Reads the lyric events of a Standard MIDI File into a TimedLyrics.
#pragma once

#include <cstddef>

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/timed_lyrics.h"

// Parses the `size` bytes of a Standard MIDI File at `data` (already taken
// out of a RIFF "RMID" wrapping). The model gets a text buffer of its own;
// `data` is only read. On failure the model is left empty.
LoadStatus ParseMidiLyrics(const unsigned char* data, size_t size, LeadBytePredicate isLead,
                           TimedLyrics& lyrics);
