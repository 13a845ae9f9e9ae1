// The visualization object: one per visualization the player shows.
#pragma once

#include <windows.h>

#include "display/win32/karaoke_display.h"
#include "wmp/wmp_effects.h"

constexpr int kPresetCount = 5;
constexpr size_t kMediaUrlLength = 260;

class KaraokeEffects final : public IWMPEffects2 {
 public:
  explicit KaraokeEffects(IUnknown* outer);
  // Attaches to the settings store; runs with the reference count at 1.
  HRESULT SetUp();
  // Releases everything; runs once, on the last release.
  void TearDown();
  IUnknown* Inner() { return &inner_; }

  // IUnknown, delegated to the controlling unknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IWMPEffects
  HRESULT STDMETHODCALLTYPE Render(TimedLevel* levels, HDC dc, RECT* rect) override;
  HRESULT STDMETHODCALLTYPE MediaInfo(LONG channelCount, LONG sampleRate, BSTR title) override;
  HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override;
  HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override;
  HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG preset, BSTR* title) override;
  HRESULT STDMETHODCALLTYPE GetPresetCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG preset) override;
  HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG* preset) override;
  HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND owner) override;
  HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL fullscreen) override;
  HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel* levels) override;
  // IWMPEffects2
  HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* player) override;
  HRESULT STDMETHODCALLTYPE Create(HWND parent) override;
  HRESULT STDMETHODCALLTYPE Destroy() override;
  HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia* media) override;
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel* levels, BOOL requiredRender) override;

 private:
  // The object's own lifetime, separate from the interfaces' when the
  // object is aggregated.
  struct InnerUnknown : public IUnknown {
    KaraokeEffects* self;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
  };

  // Media and lyrics (effects_media.cpp).
  enum class MediaCheck { FromNotify, FromRender };
  void CheckMedia(IWMPMedia* media, MediaCheck from);
  bool LookUpLyrics(const wchar_t* url, IWMPMedia* media);
  void TakeUpLyrics();
  void UnloadLyrics();
  HRESULT TakeUpSettings();
  HRESULT ReadPosition(IWMPControls** controls, int32_t& centiseconds);
  void CheckCurrentItem(IWMPControls* controls);

  InnerUnknown inner_;
  IUnknown* outer_;
  LONG referenceCount_ = 0;
  LONG currentPreset_ = 0;
  HWND parentWindow_ = nullptr;
  IWMPCore* playerCore_ = nullptr;
  KaraokeDisplay display_;
  bool ownsKeyboardHook_ = false;
  bool lyricsLoaded_ = false;
  bool attached_ = false;
  double mediaDuration_ = 0;
  wchar_t mediaUrl_[kMediaUrlLength] = {};
};
