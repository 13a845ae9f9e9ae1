#include "hosts/wmphost/effects_catalog.h"

#include <objbase.h>

#include <cstdlib>
#include <cstring>

namespace {

const char kEffectsKey[] = "SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";

std::string ReadString(HKEY key, const char* value) {
  char text[1024] = {};
  DWORD size = sizeof text - 1, type = 0;
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string();
  }
  return text;
}

bool ParseClassid(const std::string& text, CLSID& classid) {
  WCHAR wide[64];
  if (text.size() >= 60 || !MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 64)) {
    return false;
  }
  return SUCCEEDED(CLSIDFromString(wide, &classid));
}

std::string RegisteredServer(const std::string& classidText) {
  const std::string path = "CLSID\\" + classidText + "\\InprocServer32";
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  std::string server = ReadString(key, nullptr);
  RegCloseKey(key);
  return server;
}

std::string LoadStringFrom(const std::string& module, unsigned id) {
  if (module.empty()) return std::string();
  HMODULE library = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!library) return std::string();
  char text[1024] = {};
  const int length = LoadStringA(library, id, text, sizeof text);
  FreeLibrary(library);
  return length > 0 ? std::string(text, length) : std::string();
}

}  // namespace

bool ParseStringResourceUrl(const std::string& text, std::string& dll, unsigned& id) {
  const char prefix[] = "res://";
  const char middle[] = "/RT_STRING/#";
  if (_strnicmp(text.c_str(), prefix, sizeof prefix - 1) != 0) return false;
  const size_t at = text.find(middle, sizeof prefix - 1);
  if (at == std::string::npos || at == sizeof prefix - 1) return false;
  const char* number = text.c_str() + at + sizeof middle - 1;
  char* end = nullptr;
  const unsigned long value = std::strtoul(number, &end, 10);
  if (end == number || *end != '\0' || value > 0xFFFF) return false;
  dll = text.substr(sizeof prefix - 1, at - (sizeof prefix - 1));
  id = static_cast<unsigned>(value);
  return true;
}

std::string ResolveEffectText(const std::string& text, const std::string& classidText) {
  std::string dll;
  unsigned id = 0;
  if (!ParseStringResourceUrl(text, dll, id)) return text;
  std::string loaded = LoadStringFrom(RegisteredServer(classidText), id);
  if (loaded.empty()) loaded = LoadStringFrom(dll, id);
  return loaded;
}

std::vector<EffectEntry> ReadEffectsCatalog() {
  std::vector<EffectEntry> entries;
  HKEY effects;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEffectsKey, 0, KEY_READ, &effects) != ERROR_SUCCESS) {
    return entries;
  }
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(effects, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    HKEY properties;
    const std::string path = std::string(name) + "\\Properties";
    if (RegOpenKeyExA(effects, path.c_str(), 0, KEY_READ, &properties) != ERROR_SUCCESS) continue;
    EffectEntry entry;
    entry.key = name;
    entry.classidText = ReadString(properties, "classid");
    const std::string registeredName = ReadString(properties, "name");
    const std::string description = ReadString(properties, "description");
    RegCloseKey(properties);
    if (!ParseClassid(entry.classidText, entry.classid)) continue;
    entry.name = ResolveEffectText(registeredName, entry.classidText);
    entry.description = ResolveEffectText(description, entry.classidText);
    entries.push_back(entry);
  }
  RegCloseKey(effects);
  return entries;
}

const EffectEntry* ChooseEffect(const std::vector<EffectEntry>& entries,
                                const std::string& wanted) {
  if (entries.empty()) return nullptr;
  if (wanted.empty()) return &entries.front();
  for (const EffectEntry& entry : entries) {
    if (_stricmp(entry.key.c_str(), wanted.c_str()) == 0 ||
        _stricmp(entry.name.c_str(), wanted.c_str()) == 0 ||
        _stricmp(entry.classidText.c_str(), wanted.c_str()) == 0) {
      return &entry;
    }
  }
  return nullptr;
}
