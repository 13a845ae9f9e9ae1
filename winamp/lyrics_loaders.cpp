#include "winamp/lyrics_loaders.h"

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/lyrics_lookup.h"
#include "lyrics/midi_file.h"
#include "lyrics/text_file.h"
#include "lyrics/win32/load_status_win32.h"

bool LoadKmFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToBool(ReadKmFile(path, lyrics));
}

bool LoadLrcFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToBool(ReadLrcFile(path, lyrics));
}

bool LoadMidiLyrics(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToBool(ReadMidiFile(path, lyrics));
}

bool LoadPlainTextLyrics(const char* path, int trackSeconds, TimedLyrics& lyrics) {
  return LoadStatusToBool(ReadTextFile(path, WinampTextTiming(trackSeconds), lyrics));
}

bool FindLyricsForMedia(TimedLyrics& lyrics, const char* mediaPath, const char* lyricsDirectory,
                        int trackSeconds) {
  return LoadStatusToBool(
      FindLyrics(mediaPath, lyricsDirectory, WinampTextTiming(trackSeconds), lyrics));
}
