#include <windows.h>

#include "lyrics/midi_file.h"

LoadStatus ReadMidiFile(const char*, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  return LoadStatus::Invalid;
}
