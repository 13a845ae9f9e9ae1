#include "hosts/wmphost/wine_player.h"

#include <cstdio>

namespace {

// {6BF52A52-394A-11D3-B153-00C04F79FAA6}
const CLSID kClsidWindowsMediaPlayer = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

std::string Failure(const char* step, HRESULT result) {
  char text[128];
  std::snprintf(text, sizeof text, "%s failed (0x%08lX)", step, static_cast<unsigned long>(result));
  return text;
}

}  // namespace

bool WinePlayer::Start(const std::wstring& url, std::string& error) {
  HRESULT result = CoCreateInstance(kClsidWindowsMediaPlayer, nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IWMPCore), core_.OutVoid());
  if (FAILED(result)) {
    error = Failure("creating the Windows Media Player object", result);
    return false;
  }
  BSTR wide = SysAllocString(url.c_str());
  result = wide ? core_->put_URL(wide) : E_OUTOFMEMORY;
  SysFreeString(wide);
  if (FAILED(result)) {
    error = Failure("IWMPCore::put_URL", result);
    return false;
  }
  // The player starts on its own when its autoStart setting is on; play()
  // on a running graph changes nothing.
  ComRef<IWMPControls> controls;
  result = core_->get_controls(controls.Out());
  if (SUCCEEDED(result)) result = controls->play();
  if (FAILED(result)) {
    error = Failure("IWMPControls::play", result);
    return false;
  }
  return true;
}

void WinePlayer::Stop() {
  if (!core_) return;
  ComRef<IWMPControls> controls;
  if (SUCCEEDED(core_->get_controls(controls.Out()))) controls->stop();
  core_->close();
  core_.Reset();
}

bool WinePlayer::Ended() {
  if (!core_) return true;
  WMPPlayState state = wmppsUndefined;
  if (FAILED(core_->get_playState(&state))) {
    // Without a play state, the end shows as a position that no longer
    // moves past the duration.
    double position = 0, duration = 0;
    ComRef<IWMPMedia> item;
    if (Position(&position) != S_OK || CurrentItem(item.Out()) != S_OK) return false;
    return SUCCEEDED(item->get_duration(&duration)) && duration > 0 && position >= duration;
  }
  return state == wmppsMediaEnded || state == wmppsStopped;
}

HRESULT WinePlayer::Position(double* seconds) {
  ComRef<IWMPControls> controls;
  HRESULT result = core_->get_controls(controls.Out());
  if (FAILED(result)) return result;
  double value = 0;
  result = controls->get_currentPosition(&value);
  if (FAILED(result)) return result;
  *seconds = result == S_OK ? value : 0;
  return S_OK;
}

HRESULT WinePlayer::CurrentItem(IWMPMedia** item) {
  *item = nullptr;
  ComRef<IWMPControls> controls;
  if (SUCCEEDED(core_->get_controls(controls.Out())) &&
      SUCCEEDED(controls->currentItem(item)) && *item) {
    return S_OK;
  }
  *item = nullptr;
  const HRESULT result = core_->get_currentMedia(item);
  if (FAILED(result)) return result;
  return *item ? S_OK : S_FALSE;
}
