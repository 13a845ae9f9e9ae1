// The one window of the plug-in: the karaoke display inside Winamp's
// frame, following Winamp's playback.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/win32/karaoke_display.h"
#include "lyrics/read_whole_file.h"

// Private messages of the window.
constexpr UINT kTickMessage = WM_USER + 5;      // the timer, every 33 ms
constexpr UINT kRecheckMessage = WM_USER + 7;   // wParam 1: only when neither playing nor paused
constexpr UINT kSeekMessage = WM_USER + 8;      // a seek happened
constexpr UINT kActivateMessage = WM_USER + 9;  // activate the window around the frame

constexpr UINT kTickMilliseconds = 33;

struct LyricsWindow {
  HWND window = nullptr;
  HINSTANCE instance = nullptr;
  HWND hostWindow = nullptr;
  HWND frameWindow = nullptr;
  KaraokeDisplay display;
  char fileName[kMaxPathLength + 1] = {};
  bool lyricsLoaded = false;
  bool isMp3 = false;
  UINT timer = 0;
  HMENU menu = nullptr;
  int32_t playStatus = -1;
  int32_t seekBase = 0;  // Winamp's output time in ms at the last seek
  int32_t layout = 1;
};

// Makes the window in `frame` unless it exists; returns it, null on failure.
HWND CreateLyricsWindow(LyricsWindow& w, HINSTANCE instance, HWND hostWindow, HWND frame);

// Follows Winamp's current playlist entry: loads its lyrics when it
// changed, or spreads untimed lyrics anew once Winamp knows the length.
void CheckTrack(LyricsWindow& w);

// Invalidates without erasing and draws at once.
void RepaintNow(const LyricsWindow& w);

// The time the display shows for Winamp's output time `outputMs`:
// centiseconds, with MP3 output running 0.5 % behind since the last seek.
int32_t DisplayTime(int32_t outputMs, bool isMp3, int32_t seekBase);

// Spreads the lyrics' pieces evenly over `lengthSeconds`.
void SpreadSyncpoints(TimedLyrics& lyrics, int32_t lengthSeconds);

// Paints the window (between BeginPaint and EndPaint).
void PaintLyricsWindow(LyricsWindow& w);

// Looks the lyrics of `fileName` up in the private lyrics directory.
bool LoadLyricsForFile(LyricsWindow& w);
