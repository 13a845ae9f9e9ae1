// Where the host's player core gets its answers: the playback position and
// the current media item, plus, for a real player, the player itself for
// every other call.
#pragma once

#include <windows.h>

#include <wmp.h>

class PlayerSource {
 public:
  virtual ~PlayerSource() = default;
  // Playback position of the current item in seconds (0 when nothing plays).
  virtual HRESULT Position(double* seconds) = 0;
  // The current item with a reference for the caller; S_FALSE and null when
  // there is none.
  virtual HRESULT CurrentItem(IWMPMedia** item) = 0;
  // The real player behind the source, or null; not a new reference.
  virtual IWMPCore* Player() = 0;
};
