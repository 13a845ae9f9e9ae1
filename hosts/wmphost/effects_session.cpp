#include "hosts/wmphost/effects_session.h"

#include <cstdio>

std::string TakeString(BSTR text) {
  std::string result;
  if (text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length > 1) {
      result.resize(length - 1);
      WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], length, nullptr, nullptr);
    }
    SysFreeString(text);
  }
  return result;
}

bool EffectsSession::Open(const CLSID& classid, std::string& error) {
  Close();
  HRESULT result = CoCreateInstance(classid, nullptr, CLSCTX_INPROC_SERVER, kIidWmpEffects,
                                    effects_.OutVoid());
  if (FAILED(result)) {
    char text[96];
    std::snprintf(text, sizeof text, "CoCreateInstance of the visualization failed (0x%08lX)",
                  static_cast<unsigned long>(result));
    error = text;
    return false;
  }
  if (FAILED(effects_->QueryInterface(kIidWmpEffects2, effects2_.OutVoid()))) effects2_.Reset();
  return true;
}

void EffectsSession::Attach(IWMPCore* core, HWND window) {
  if (!effects2_) return;
  effects2_->SetCore(core);
  coreSet_ = true;
  if (window) {
    effects2_->Create(window);
    created_ = true;
  }
}

void EffectsSession::Close() {
  if (effects2_) {
    if (created_) effects2_->Destroy();
    if (coreSet_) effects2_->SetCore(nullptr);
  }
  created_ = coreSet_ = false;
  effects2_.Reset();
  effects_.Reset();
}

std::string EffectsSession::Title() const {
  BSTR title = nullptr;
  if (!effects_ || FAILED(effects_->GetTitle(&title))) return std::string();
  return TakeString(title);
}

int EffectsSession::PresetCount() const {
  LONG count = 0;
  if (!effects_ || FAILED(effects_->GetPresetCount(&count)) || count < 0) return 0;
  return count;
}

std::string EffectsSession::PresetTitle(int preset) const {
  BSTR title = nullptr;
  if (!effects_ || FAILED(effects_->GetPresetTitle(preset, &title))) return std::string();
  return TakeString(title);
}

int EffectsSession::CurrentPreset() const {
  LONG preset = 0;
  if (!effects_ || FAILED(effects_->GetCurrentPreset(&preset))) return -1;
  return preset;
}

bool EffectsSession::HasPropertyPage() const {
  DWORD capabilities = 0;
  return effects_ && SUCCEEDED(effects_->GetCapabilities(&capabilities)) &&
         (capabilities & kEffectHasPropertyPage);
}
