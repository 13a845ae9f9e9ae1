// Reads the lyric events of a Standard MIDI File into a TimedLyrics.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/timed_lyrics.h"

// Longest line, in bytes with its trailing space, that the 16-bit byte
// offsets of a Syncpoint can hold (0xFFFF means "to the end of the line").
// Longer lines are cut to it.
constexpr size_t kMaxMidiLineLength = 0xFFFE;
// The display lines that the 16-bit line index of a Syncpoint can name;
// syllables after them are dropped.
constexpr size_t kMaxMidiLines = size_t{UINT16_MAX} + 1;

// Parses the `size` bytes of a Standard MIDI File at `data` (already taken
// out of a RIFF "RMID" wrapping). The model gets a text buffer of its own;
// `data` is only read. On failure the model is left empty.
LoadStatus ParseMidiLyrics(const unsigned char* data, size_t size, LeadBytePredicate isLead,
                           TimedLyrics& lyrics);
