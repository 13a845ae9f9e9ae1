#include "wmp/registrar_run.h"

#include <string.h>

namespace {

// Key names hold at most 255 characters; the scripts' value names and data
// are far shorter than these buffers.
constexpr size_t kMaxName = 256;
constexpr size_t kMaxData = 1024;

HKEY RootKey(RegistrarRoot root) {
  switch (root) {
    case RegistrarRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistrarRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistrarRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistrarRoot::kUsers: return HKEY_USERS;
    case RegistrarRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return nullptr;
}

LONG SetString(HKEY key, const char* name, TextSpan data) {
  char text[kMaxData];
  if (!CopyRegistrarText(data, text, sizeof text)) return ERROR_INVALID_DATA;
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(strlen(text) + 1));
}

// The open key of every node; a node whose parent has none (because it was
// deleted or is missing) is skipped.
struct OpenKeys {
  HKEY handles[kMaxRegistrarNodes] = {};
  bool owned[kMaxRegistrarNodes] = {};

  ~OpenKeys() {
    for (int i = 0; i < kMaxRegistrarNodes; ++i) {
      if (owned[i]) RegCloseKey(handles[i]);
    }
  }
  void Keep(int index, HKEY key) {
    handles[index] = key;
    owned[index] = true;
  }
};

LONG RegisterKey(const RegistrarNode& node, HKEY parent, const char* name, HKEY* key) {
  if (node.disposition == KeyDisposition::kForceRemove) {
    const LONG error = DeleteRegistryTree(parent, name);
    if (error != ERROR_SUCCESS) return error;
  }
  LONG error = RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE, nullptr, key, nullptr);
  if (error != ERROR_SUCCESS) {
    *key = nullptr;
    return error;
  }
  if (node.hasData) error = SetString(*key, nullptr, node.data);
  return error;
}

LONG UnregisterKey(const RegistrarNode& node, HKEY parent, const char* name, HKEY* key) {
  *key = nullptr;
  if (node.disposition != KeyDisposition::kNoRemove) return DeleteRegistryTree(parent, name);
  const LONG error = RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, key);
  if (error == ERROR_SUCCESS) return error;
  *key = nullptr;
  return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

LONG UnregisterValue(const RegistrarNode& owner, HKEY parent, const char* name) {
  if (owner.disposition != KeyDisposition::kNoRemove) return ERROR_SUCCESS;
  const LONG error = RegDeleteValueA(parent, name);
  return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

}  // namespace

LONG DeleteRegistryTree(HKEY parent, const char* name) {
  // An empty name would open, and so delete, the parent itself.
  if (!name || !*name) return ERROR_INVALID_PARAMETER;
  HKEY key = nullptr;
  LONG error = RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key);
  if (error == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (error != ERROR_SUCCESS) return error;
  char child[kMaxName];
  for (;;) {
    DWORD length = sizeof child;
    error = RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error == ERROR_SUCCESS) error = DeleteRegistryTree(key, child);
    if (error != ERROR_SUCCESS) {
      RegCloseKey(key);
      return error;
    }
  }
  RegCloseKey(key);
  return RegDeleteKeyA(parent, name);
}

HRESULT RunRegistrarScript(const RegistrarScript& script, RegistrarMode mode) {
  const bool registering = mode == RegistrarMode::kRegister;
  OpenKeys keys;
  LONG firstError = ERROR_SUCCESS;
  for (int i = 0; i < script.count; ++i) {
    const RegistrarNode& node = script.nodes[i];
    if (node.kind == RegistrarNodeKind::kRoot) {
      keys.handles[i] = RootKey(node.root);
      continue;
    }
    HKEY parent = keys.handles[node.parent];
    if (!parent) continue;
    char name[kMaxName];
    LONG error = ERROR_INVALID_DATA;
    if (CopyRegistrarText(node.name, name, sizeof name)) {
      if (node.kind == RegistrarNodeKind::kValue) {
        error = registering ? SetString(parent, name, node.data)
                            : UnregisterValue(script.nodes[node.parent], parent, name);
      } else {
        HKEY key = nullptr;
        error = registering ? RegisterKey(node, parent, name, &key)
                            : UnregisterKey(node, parent, name, &key);
        if (key) keys.Keep(i, key);
      }
    }
    if (error == ERROR_SUCCESS) continue;
    if (registering) return HRESULT_FROM_WIN32(error);
    if (firstError == ERROR_SUCCESS) firstError = error;
  }
  return firstError == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(firstError);
}
