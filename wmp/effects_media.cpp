// Following the player's media: noticing a new song, looking up and taking
// up its lyrics, and the playback position.
#include <cmath>
#include <cwchar>

#include "display/win32/display_settings_win32.h"
#include "wmp/karaoke_effects_object.h"
#include "wmp/lyrics_loaders.h"
#include "wmp/offset_keys.h"

namespace {

// The first kMediaUrlLength - 1 characters: URLs are compared and kept at
// that length, so a longer one still counts as the same song.
void CopyUrl(wchar_t* to, const wchar_t* from) {
  size_t i = 0;
  for (; from && from[i] && i + 1 < kMediaUrlLength; ++i) to[i] = from[i];
  to[i] = L'\0';
}

}  // namespace

HRESULT KaraokeEffects::ReadPosition(IWMPControls** controls, int32_t& centiseconds) {
  *controls = nullptr;
  if (!playerCore_ || FAILED(playerCore_->get_controls(controls)) || !*controls) {
    *controls = nullptr;
    return E_FAIL;
  }
  double seconds = 0;
  if (FAILED((*controls)->get_currentPosition(&seconds))) seconds = 0;
  const double value = seconds * 100.0;
  if (!std::isfinite(value) || value <= 0) {
    centiseconds = 0;
  } else {
    centiseconds = value >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
  }
  return S_OK;
}

void KaraokeEffects::CheckCurrentItem(IWMPControls* controls) {
  IWMPMedia* media = nullptr;
  // MinGW names the current-item getter `currentItem`.
  if (SUCCEEDED(controls->currentItem(&media)) && media) {
    CheckMedia(media, MediaCheck::FromRender);
    media->Release();
  }
}

void KaraokeEffects::UnloadLyrics() {
  DropBitmaps(display_);
  DropFont(display_);
  DropBackgroundBrush(display_);
  ClearTimedLyrics(display_.lyrics);
  display_.currentSyncpoint = 0;
  lyricsLoaded_ = false;
}

void KaraokeEffects::CheckMedia(IWMPMedia* media, MediaCheck from) {
  BSTR source = nullptr;
  if (FAILED(media->get_sourceURL(&source))) return;
  wchar_t url[kMediaUrlLength];
  CopyUrl(url, source);
  SysFreeString(source);

  if (_wcsicmp(url, mediaUrl_) == 0) {
    if (lyricsLoaded_) {
      // The same song from the start again: find the place from the top.
      display_.currentSyncpoint = 0;
      return;
    }
    // Without lyrics a new report of the same song looks again, in case a
    // lyrics file was added meanwhile; the frames do not.
    if (from == MediaCheck::FromRender) return;
  } else {
    CopyUrl(mediaUrl_, url);
    if (lyricsLoaded_) {
      UnloadLyrics();
      // Take up changed options now rather than dropping the notice.
      if (from == MediaCheck::FromNotify) TakeLiveSettings(ModuleDisplaySettings(), display_.settings);
    }
  }
  LookUpLyrics(url, media);
}

bool KaraokeEffects::LookUpLyrics(const wchar_t* url, IWMPMedia* media) {
  // Plain-text lyrics are spread over the song: ask the player its length.
  double duration = 0;
  if (media && SUCCEEDED(media->get_duration(&duration)) && std::isfinite(duration) &&
      duration > 0) {
    mediaDuration_ = duration;
  } else {
    mediaDuration_ = 0;
  }
  if (FindLyricsForMedia(display_.lyrics, url, display_.settings.lyricsDirectory,
                         mediaDuration_) != S_OK) {
    return false;
  }
  TakeUpLyrics();
  return true;
}

void KaraokeEffects::TakeUpLyrics() {
  lyricsLoaded_ = true;
  display_.currentSyncpoint = 0;
  if (!ownsKeyboardHook_ && !IsOffsetKeyHookInstalled()) ownsKeyboardHook_ = InstallOffsetKeyHook();
  ResetTimingOffset(ModuleTimingOffset());
}

HRESULT KaraokeEffects::TakeUpSettings() {
  bool directoryChanged = false;
  TakeUpChangedSettings(display_, ModuleDisplaySettings(), &directoryChanged);
  if (!directoryChanged || lyricsLoaded_) return S_OK;
  // A new lyrics directory: look for the current song's lyrics there.
  IWMPControls* controls = nullptr;
  if (!playerCore_ || FAILED(playerCore_->get_controls(&controls)) || !controls) return E_FAIL;
  IWMPMedia* media = nullptr;
  if (SUCCEEDED(controls->currentItem(&media)) && media) {
    BSTR source = nullptr;
    if (SUCCEEDED(media->get_sourceURL(&source))) {
      wchar_t url[kMediaUrlLength];
      CopyUrl(url, source);
      SysFreeString(source);
      LookUpLyrics(url, media);
    }
    media->Release();
  }
  controls->Release();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::NotifyNewMedia(IWMPMedia* media) {
  if (media) CheckMedia(media, MediaCheck::FromNotify);
  return S_OK;
}
