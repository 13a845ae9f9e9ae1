// The lyrics loaders and the lookup as the Windows Media Player plug-in
// calls them: S_OK, E_OUTOFMEMORY, or E_FAIL for every other failure.
#pragma once

#include <windows.h>

#include "lyrics/timed_lyrics.h"

HRESULT LoadKmFile(const char* path, TimedLyrics& lyrics);
HRESULT LoadLrcFile(const char* path, TimedLyrics& lyrics);
HRESULT LoadMidiLyrics(const char* path, TimedLyrics& lyrics);
// `durationSeconds`: the song's length as the player reports it, 0 while
// unknown.
HRESULT LoadPlainTextLyrics(const char* path, double durationSeconds, TimedLyrics& lyrics);

// The lookup for the player's (UTF-16) media path: S_OK when a candidate
// loaded, E_FAIL otherwise (also when the path has no ANSI form), E_POINTER
// for a null path. The model is cleared first and empty after a failure.
HRESULT FindLyricsForMedia(TimedLyrics& lyrics, const wchar_t* mediaPath,
                           const char* lyricsDirectory, double durationSeconds);
