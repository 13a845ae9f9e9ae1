// Reads plain lyrics text into a TimedLyrics, spreading the lines evenly
// over the song: the text has no times of its own.
#pragma once

#include <cstdint>

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"
#include "lyrics/timed_lyrics.h"

// How the lines are spread, as each plug-in does it.
struct PlainTextTiming {
  int32_t songLength;          // centiseconds
  bool dropRepeatedTimes;      // Windows Media Player: a line that would start
                               // with its predecessor is left out
  bool markDefaultLength;      // Winamp with the length unknown: the last
                               // piece ends at INT32_MAX
};

// Windows Media Player: the player's duration in seconds (0 while unknown).
PlainTextTiming MediaPlayerTextTiming(double durationSeconds);
// Winamp: the track length in seconds, -1 when Winamp does not know it
// (the lines are then spread over 180 seconds).
PlainTextTiming WinampTextTiming(int trackSeconds);

// Parses the whole file in `file`. On success the model owns the buffer; on
// failure it is freed and the model is left empty. An empty file fails.
LoadStatus ParsePlainText(OwnedBuffer file, LeadBytePredicate isLead,
                          const PlainTextTiming& timing, TimedLyrics& lyrics);
