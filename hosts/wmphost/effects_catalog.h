// The player's list of visualizations: the subkeys of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\MediaPlayer\Objects\Effects, each
// with a Properties key holding "classid", "name" and "description".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct EffectEntry {
  std::string key;          // the subkey's name
  std::string classidText;  // as registered, "{...}"
  CLSID classid = {};
  std::string name;         // resolved from "res://" where it is one
  std::string description;
};

// The entries in the registry's order; entries without a valid classid are
// left out.
std::vector<EffectEntry> ReadEffectsCatalog();

// The entry named by `wanted` (subkey, name or classid, ignoring case), or
// the first one when `wanted` is empty; null when there is none.
const EffectEntry* ChooseEffect(const std::vector<EffectEntry>& entries, const std::string& wanted);

// A "res://DLL/RT_STRING/#N" reference: its DLL name and string number.
// False for any other text.
bool ParseStringResourceUrl(const std::string& text, std::string& dll, unsigned& id);

// The text that a registered name or description stands for: a res://
// string is loaded from the DLL registered for the classid (or, failing
// that, the DLL named in the reference); other text is itself.
std::string ResolveEffectText(const std::string& text, const std::string& classidText);
