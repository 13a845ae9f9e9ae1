// The two ways the player has the visualization drawn: into a device
// context and rectangle of its own, or into the window given by Create.
#include "display/win32/display_settings_win32.h"
#include "wmp/karaoke_effects_object.h"
#include "wmp/offset_keys.h"

namespace {

// Positions below this are the start of a song, when a windowed
// visualization checks whether the song changed.
constexpr int32_t kWindowedMediaCheckBefore = 100;

HRESULT FrameResult(HRESULT hr) { return FAILED(hr) ? E_FAIL : S_OK; }

}  // namespace

HRESULT STDMETHODCALLTYPE KaraokeEffects::Render(TimedLevel*, HDC dc, RECT* rect) {
  if (!dc || !rect) return E_INVALIDARG;
  if (rect->right - rect->left < 1 || rect->bottom - rect->top < 1) return S_OK;
  HRESULT hr = TakeUpSettings();
  if (FAILED(hr)) return hr;
  IWMPControls* controls = nullptr;
  int32_t position = 0;
  if (FAILED(ReadPosition(&controls, position))) return E_FAIL;
  // Hosts that never report new media: a song starts at position 0.
  if (position == 0) CheckCurrentItem(controls);
  hr = FrameResult(DrawKaraokeFrame(display_, dc, *rect, position, true, ModuleTimingOffset()));
  controls->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::RenderWindowed(TimedLevel*, BOOL requiredRender) {
  if (!parentWindow_) return E_UNEXPECTED;
  HDC dc = GetDC(parentWindow_);
  if (!dc) return E_FAIL;
  RECT client = {};
  GetClientRect(parentWindow_, &client);
  HRESULT hr = S_OK;
  if (client.right - client.left >= 1 && client.bottom - client.top >= 1) {
    hr = TakeUpSettings();
    IWMPControls* controls = nullptr;
    int32_t position = 0;
    if (SUCCEEDED(hr)) hr = ReadPosition(&controls, position);
    if (SUCCEEDED(hr)) {
      if (position < kWindowedMediaCheckBefore) CheckCurrentItem(controls);
      // Repaint around the lines too when the player or the window asks
      // for it, or when the line bitmaps are made anew.
      const bool fillOutside = requiredRender || GetUpdateRect(parentWindow_, nullptr, FALSE) ||
                               NeedsNewBitmaps(display_, client);
      hr = FrameResult(
          DrawKaraokeFrame(display_, dc, client, position, fillOutside, ModuleTimingOffset()));
      controls->Release();
    }
  }
  ReleaseDC(parentWindow_, dc);
  return hr;
}
