// LoadPlainTextLyrics of the plug-ins, before its HRESULT or true/false edge.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/text_parser.h"
#include "lyrics/timed_lyrics.h"

LoadStatus ReadTextFile(const char* path, const PlainTextTiming& timing, TimedLyrics& lyrics);
