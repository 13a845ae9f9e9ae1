#include "wmp/lyrics_loaders.h"

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/lyrics_lookup.h"
#include "lyrics/midi_file.h"
#include "lyrics/owned_buffer.h"
#include "lyrics/text_file.h"
#include "lyrics/win32/load_status_win32.h"

HRESULT LoadKmFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToHresult(ReadKmFile(path, lyrics));
}

HRESULT LoadLrcFile(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToHresult(ReadLrcFile(path, lyrics));
}

HRESULT LoadMidiLyrics(const char* path, TimedLyrics& lyrics) {
  return LoadStatusToHresult(ReadMidiFile(path, lyrics));
}

HRESULT LoadPlainTextLyrics(const char* path, double durationSeconds, TimedLyrics& lyrics) {
  return LoadStatusToHresult(ReadTextFile(path, MediaPlayerTextTiming(durationSeconds), lyrics));
}

HRESULT FindLyricsForMedia(TimedLyrics& lyrics, const wchar_t* mediaPath,
                           const char* lyricsDirectory, double durationSeconds) {
  ClearTimedLyrics(lyrics);
  if (!mediaPath) return E_POINTER;
  // The ANSI form of the path; a character that the code page lacks would
  // name another file, so such a path finds nothing.
  const int size = WideCharToMultiByte(CP_ACP, 0, mediaPath, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return E_FAIL;
  OwnedBuffer path;
  if (!path.Allocate(static_cast<size_t>(size))) return E_OUTOFMEMORY;
  BOOL lossy = FALSE;
  if (!WideCharToMultiByte(CP_ACP, 0, mediaPath, -1, path.data(), size, nullptr, &lossy) ||
      lossy) {
    return E_FAIL;
  }
  const LoadStatus status =
      FindLyrics(path.data(), lyricsDirectory, MediaPlayerTextTiming(durationSeconds), lyrics);
  return status == LoadStatus::Loaded ? S_OK : E_FAIL;
}
