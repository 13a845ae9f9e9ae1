// One visualization plug-in as the player holds it: created by classid,
// given the core (and, windowed, its window), released in the player's
// order: Destroy, SetCore(null), Release.
#pragma once

#include <windows.h>

#include <string>

#include "hosts/wmphost/com_object.h"
#include "wmp/wmp_effects.h"

class EffectsSession {
 public:
  ~EffectsSession() { Close(); }
  // CoCreateInstance and QueryInterface for IWMPEffects2, then IWMPEffects.
  bool Open(const CLSID& classid, std::string& error);
  // SetCore, and Create with `window` when it is not null (IWMPEffects2).
  void Attach(IWMPCore* core, HWND window);
  void Close();

  IWMPEffects* effects() const { return effects_.get(); }
  // Null for a plug-in that has IWMPEffects only.
  IWMPEffects2* effects2() const { return effects2_.get(); }
  std::string Title() const;
  int PresetCount() const;
  std::string PresetTitle(int preset) const;
  int CurrentPreset() const;
  bool HasPropertyPage() const;

 private:
  ComRef<IWMPEffects> effects_;
  ComRef<IWMPEffects2> effects2_;
  bool created_ = false;
  bool coreSet_ = false;
};

// The ANSI text of a BSTR that the caller owns; frees it.
std::string TakeString(BSTR text);
