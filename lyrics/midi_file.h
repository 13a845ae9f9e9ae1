// LoadMidiLyrics of the plug-ins, before its HRESULT or true/false edge:
// reads a MIDI file (plain, or wrapped in RIFF "RMID") and its lyrics.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/timed_lyrics.h"

LoadStatus ReadMidiFile(const char* path, TimedLyrics& lyrics);
