// The text form of a TimedLyrics that `kmtool dump` prints.
#pragma once

#include <string>

#include "lyrics/timed_lyrics.h"

// One item per line: the text lines, the display lines and the syncpoints,
// with every byte of text outside 0x20..0x7E, '"' and '\' written as \xHH.
std::string FormatLyricsDump(const TimedLyrics& lyrics);
