#include "hosts/wmphost/scripted_player.h"

#include "hosts/wmphost/media_item.h"

void ScriptedPlayer::SetTime(double seconds) {
  moment_ = SongMomentAt(script_, seconds);
  const int playing = moment_.ended ? -1 : moment_.step;
  if (playing != itemStep_) {
    itemStep_ = playing;
    item_.Reset(playing < 0 ? nullptr
                            : CreateMediaItem(script_.steps[playing].url, moment_.duration));
  }
}

HRESULT ScriptedPlayer::Position(double* seconds) {
  *seconds = item_ ? moment_.position : 0;
  return S_OK;
}

HRESULT ScriptedPlayer::CurrentItem(IWMPMedia** item) {
  *item = item_.get();
  if (!*item) return S_FALSE;
  (*item)->AddRef();
  return S_OK;
}
