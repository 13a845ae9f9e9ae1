#include "editor/tests/harness/clipboard_text.h"

#include <cstring>

#include "editor/tests/harness/editor_process.h"

bool PutClipboardText(const std::string& text) {
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!data) return false;
  if (void* locked = GlobalLock(data)) {
    std::memcpy(locked, text.c_str(), text.size() + 1);
    GlobalUnlock(data);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(data);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, data) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(data);
  return placed;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
      text = locked;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs) {
  return WaitFor(timeoutMs, [&] { return GetClipboardSequenceNumber() != sequence; });
}
