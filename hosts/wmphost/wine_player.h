// The system's Windows Media Player object playing one file. Where the
// object lacks a call that visualizations rely on, the source answers from
// what it does provide:
// - IWMPControls' current item: from IWMPCore::get_currentMedia when the
//   controls do not give one;
// - IWMPControls' position before playback has built its graph (S_FALSE
//   without a value): 0 seconds.
#pragma once

#include <string>

#include "hosts/wmphost/com_object.h"
#include "hosts/wmphost/player_source.h"

class WinePlayer : public PlayerSource {
 public:
  // Creates the player object and starts playing `url`; false (with the
  // failing step in `error`) when the object is missing or cannot play it.
  bool Start(const std::wstring& url, std::string& error);
  void Stop();
  // The item has played to its end (or playback failed after starting).
  bool Ended();
  HRESULT Position(double* seconds) override;
  HRESULT CurrentItem(IWMPMedia** item) override;
  IWMPCore* Player() override { return core_.get(); }

 private:
  ComRef<IWMPCore> core_;
};
