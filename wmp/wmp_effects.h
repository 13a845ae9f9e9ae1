// Windows Media Player's visualization interfaces, IWMPEffects and
// IWMPEffects2, declared from their published layout (the MinGW headers
// carry the player's core interfaces but not these).
#pragma once

#include <windows.h>

#include <wmp.h>

// Audio levels handed to every render call; unused by this plug-in.
constexpr int kEffectsBufferSize = 1024;
struct TimedLevel {
  unsigned char frequency[2][kEffectsBufferSize];
  unsigned char waveform[2][kEffectsBufferSize];
  int state;
  LONGLONG timeStamp;
};

// GetCapabilities flags.
constexpr DWORD kEffectCanGoFullscreen = 0x1;
constexpr DWORD kEffectHasPropertyPage = 0x2;
constexpr DWORD kEffectVariableFrequencyStep = 0x4;
constexpr DWORD kEffectWindowedOnly = 0x8;

// {D3984C13-C3CB-48E2-8BE5-5168340B4F35}
constexpr IID kIidWmpEffects = {
    0xD3984C13, 0xC3CB, 0x48E2, {0x8B, 0xE5, 0x51, 0x68, 0x34, 0x0B, 0x4F, 0x35}};
// {695386EC-AA3C-4618-A5E1-DD9A8B987632}
constexpr IID kIidWmpEffects2 = {
    0x695386EC, 0xAA3C, 0x4618, {0xA5, 0xE1, 0xDD, 0x9A, 0x8B, 0x98, 0x76, 0x32}};

struct IWMPEffects : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Render(TimedLevel* levels, HDC dc, RECT* rect) = 0;
  virtual HRESULT STDMETHODCALLTYPE MediaInfo(LONG channelCount, LONG sampleRate, BSTR title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG preset, BSTR* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPresetCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG preset) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG* preset) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND owner) = 0;
  virtual HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL fullscreen) = 0;
  virtual HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel* levels) = 0;
};

struct IWMPEffects2 : public IWMPEffects {
  virtual HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* player) = 0;
  virtual HRESULT STDMETHODCALLTYPE Create(HWND parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
  virtual HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia* media) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                    LRESULT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel* levels, BOOL requiredRender) = 0;
};

// The plug-in's classes.
// {3B7E51A0-6C24-4F8B-9D13-5E2A7C0F4B61}
constexpr CLSID kClsidKaraokeEffects = {
    0x3B7E51A0, 0x6C24, 0x4F8B, {0x9D, 0x13, 0x5E, 0x2A, 0x7C, 0x0F, 0x4B, 0x61}};
// {3B7E51A1-6C24-4F8B-9D13-5E2A7C0F4B61}
constexpr CLSID kClsidGeneralPage = {
    0x3B7E51A1, 0x6C24, 0x4F8B, {0x9D, 0x13, 0x5E, 0x2A, 0x7C, 0x0F, 0x4B, 0x61}};
// {3B7E51A2-6C24-4F8B-9D13-5E2A7C0F4B61}
constexpr CLSID kClsidHelpPage = {
    0x3B7E51A2, 0x6C24, 0x4F8B, {0x9D, 0x13, 0x5E, 0x2A, 0x7C, 0x0F, 0x4B, 0x61}};
