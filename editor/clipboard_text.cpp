#include "editor/clipboard_text.h"

#include <cstring>

bool PutClipboardText(HWND owner, const std::string& text) {
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!data) return false;
  char* locked = static_cast<char*>(GlobalLock(data));
  if (!locked) {
    GlobalFree(data);
    return false;
  }
  std::memcpy(locked, text.c_str(), text.size() + 1);
  GlobalUnlock(data);
  if (!OpenClipboard(owner)) {
    GlobalFree(data);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, data) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(data);
  return placed;
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
      text = locked;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}
