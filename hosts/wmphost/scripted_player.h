// A player that follows a song script: the host sets the timeline's time
// (from its clock, or frame by frame), the player answers position and
// current item from it.
#pragma once

#include "hosts/wmphost/com_object.h"
#include "hosts/wmphost/player_source.h"
#include "hosts/wmphost/song_script.h"

class ScriptedPlayer : public PlayerSource {
 public:
  explicit ScriptedPlayer(const SongScript& script) : script_(script) {}
  void SetTime(double seconds);
  bool Ended() const { return moment_.ended; }
  HRESULT Position(double* seconds) override;
  HRESULT CurrentItem(IWMPMedia** item) override;
  IWMPCore* Player() override { return nullptr; }

 private:
  SongScript script_;
  SongMoment moment_;
  int itemStep_ = -1;          // the step that `item_` was made for
  ComRef<IWMPMedia> item_;
};
