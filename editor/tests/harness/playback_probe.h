// The editor's playback graph seen from a test or benchmark running the
// main window in its own process: reached through the lyrics display
// filter, it tells where the song is and whether it plays.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <cstdint>

#include "filters/lyrics_display/ilyrics_display.h"

class PlaybackProbe {
 public:
  explicit PlaybackProbe(ILyricsDisplay* display);
  ~PlaybackProbe();
  PlaybackProbe(const PlaybackProbe&) = delete;
  PlaybackProbe& operator=(const PlaybackProbe&) = delete;

  explicit operator bool() const { return seeking_ && control_; }
  // The position in centiseconds.
  int32_t Position() const;
  // The settled state (State_Stopped, State_Paused, State_Running), or -1
  // while it changes.
  OAFilterState State() const;

 private:
  IMediaSeeking* seeking_ = nullptr;
  IMediaControl* control_ = nullptr;
};
