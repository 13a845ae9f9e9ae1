// The visualization object's COM identity, lifetime, presets and strings.
#include "wmp/karaoke_effects.h"

#include <new>

#include <olectl.h>

#include "display/win32/display_settings_win32.h"
#include "wmp/karaoke_effects_object.h"
#include "com_server/module_lock.h"
#include "wmp/offset_keys.h"
#include "wmp/resource_ids.h"

namespace {

constexpr DWORD kDefaultLocale = 0x400;

// A BSTR of the module's ANSI string resource `id`; E_FAIL when it is
// missing or empty.
HRESULT LoadStringBstr(UINT id, BSTR* out) {
  char text[512];
  const int length = LoadStringA(ModuleInstance(), id, text, sizeof text);
  if (length <= 0) return E_FAIL;
  WCHAR wide[512];
  const int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide, 512);
  if (units <= 0) return E_FAIL;
  *out = SysAllocStringLen(wide, static_cast<UINT>(units));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

KaraokeEffects::KaraokeEffects(IUnknown* outer) : outer_(outer ? outer : &inner_) {
  inner_.self = this;
}

HRESULT KaraokeEffects::SetUp() {
  DisplaySettingsStore& store = ModuleDisplaySettings();
  AttachDisplayUser(store);
  attached_ = true;
  TakeLiveSettings(store, display_.settings);
  return S_OK;
}

void KaraokeEffects::TearDown() {
  if (playerCore_) playerCore_->Release();
  playerCore_ = nullptr;
  if (ownsKeyboardHook_) RemoveOffsetKeyHook();
  ownsKeyboardHook_ = false;
  DropLyrics(display_);
  lyricsLoaded_ = false;
  if (attached_) DetachDisplayUser(ModuleDisplaySettings());
  attached_ = false;
}

HRESULT CreateKaraokeEffects(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  KaraokeEffects* effects = new (std::nothrow) KaraokeEffects(outer);
  if (!effects) return E_OUTOFMEMORY;
  LockModule();
  // Hold one reference through the set-up, so that a failure below frees
  // the object through its last release.
  IUnknown* inner = effects->Inner();
  inner->AddRef();
  HRESULT hr = effects->SetUp();
  if (SUCCEEDED(hr)) hr = inner->QueryInterface(iid, object);
  inner->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::InnerUnknown::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(iid, kIidWmpEffects) || IsEqualIID(iid, kIidWmpEffects2)) {
    *object = static_cast<IWMPEffects2*>(self);
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*object)->AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE KaraokeEffects::InnerUnknown::AddRef() {
  return static_cast<ULONG>(++self->referenceCount_);
}

ULONG STDMETHODCALLTYPE KaraokeEffects::InnerUnknown::Release() {
  const LONG count = --self->referenceCount_;
  if (count == 0) {
    self->TearDown();
    delete self;
    UnlockModule();
  }
  return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::QueryInterface(REFIID iid, void** object) {
  return outer_->QueryInterface(iid, object);
}

ULONG STDMETHODCALLTYPE KaraokeEffects::AddRef() { return outer_->AddRef(); }

ULONG STDMETHODCALLTYPE KaraokeEffects::Release() { return outer_->Release(); }

HRESULT STDMETHODCALLTYPE KaraokeEffects::MediaInfo(LONG, LONG, BSTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE KaraokeEffects::GetCapabilities(DWORD* capabilities) {
  if (!capabilities) return E_POINTER;
  *capabilities = kEffectHasPropertyPage;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::GetTitle(BSTR* title) {
  if (!title) return E_POINTER;
  *title = nullptr;
  return LoadStringBstr(kStringTitle, title);
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::GetPresetTitle(LONG preset, BSTR* title) {
  if (!title) return E_POINTER;
  *title = nullptr;
  if (preset < 0 || preset >= kPresetCount) return E_INVALIDARG;
  return LoadStringBstr(kStringFirstPreset + static_cast<UINT>(preset), title);
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::GetPresetCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = kPresetCount;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::SetCurrentPreset(LONG preset) {
  KaraokeLayout layout;
  if (!LayoutFromPresetIndex(preset, layout)) return E_INVALIDARG;
  currentPreset_ = preset;
  // The next frame lays the lines out for the new layout.
  SetKaraokeLayout(display_, layout);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::GetCurrentPreset(LONG* preset) {
  if (!preset) return E_POINTER;
  *preset = currentPreset_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::DisplayPropertyPage(HWND owner) {
  IUnknown* self = nullptr;
  const HRESULT hr = QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
  if (FAILED(hr)) return hr;
  CLSID pages[] = {kClsidGeneralPage, kClsidHelpPage};
  WCHAR caption[] = L"";
  // Modal: returns when the user closes the frame. What the pages change
  // reaches the display through the settings store.
  OleCreatePropertyFrame(owner, 0, 0, caption, 1, &self, 2, pages, kDefaultLocale, 0, nullptr);
  self->Release();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::GoFullscreen(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE KaraokeEffects::RenderFullScreen(TimedLevel*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE KaraokeEffects::SetCore(IWMPCore* player) {
  if (playerCore_) playerCore_->Release();
  playerCore_ = player;
  if (playerCore_) playerCore_->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::Create(HWND parent) {
  parentWindow_ = parent;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::Destroy() {
  parentWindow_ = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE KaraokeEffects::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) {
  return S_FALSE;
}
