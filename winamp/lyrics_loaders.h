// The lyrics loaders and the lookup as the Winamp plug-in calls them:
// true on success.
#pragma once

#include "lyrics/timed_lyrics.h"

bool LoadKmFile(const char* path, TimedLyrics& lyrics);
bool LoadLrcFile(const char* path, TimedLyrics& lyrics);
bool LoadMidiLyrics(const char* path, TimedLyrics& lyrics);
// `trackSeconds`: the track length that Winamp reports, -1 when unknown.
bool LoadPlainTextLyrics(const char* path, int trackSeconds, TimedLyrics& lyrics);

// The lookup for Winamp's (ANSI) media path; the model is cleared first and
// empty after a failure.
bool FindLyricsForMedia(TimedLyrics& lyrics, const char* mediaPath, const char* lyricsDirectory,
                        int trackSeconds);
