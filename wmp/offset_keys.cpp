#include "wmp/offset_keys.h"

namespace {

TimingOffset timingOffset;
HHOOK keyboardHook = nullptr;

// Key-down with Alt held: bit 31 of lParam clear (pressed), bit 29 set.
bool IsAltKeyDown(LPARAM lParam) {
  return (lParam & (1u << 31)) == 0 && (lParam & (1 << 29)) != 0;
}

// Never swallows a key: every event goes on to the player.
LRESULT CALLBACK OffsetKeyProc(int code, WPARAM key, LPARAM lParam) {
  if (code == HC_ACTION && IsAltKeyDown(lParam)) {
    if (key == VK_LEFT) StepTimingOffset(timingOffset, true);
    if (key == VK_RIGHT) StepTimingOffset(timingOffset, false);
  }
  return CallNextHookEx(keyboardHook, code, key, lParam);
}

}  // namespace

TimingOffset& ModuleTimingOffset() { return timingOffset; }

bool InstallOffsetKeyHook() {
  if (keyboardHook) return false;
  keyboardHook = SetWindowsHookExA(WH_KEYBOARD, OffsetKeyProc, nullptr, GetCurrentThreadId());
  return keyboardHook != nullptr;
}

void RemoveOffsetKeyHook() {
  if (keyboardHook) UnhookWindowsHookEx(keyboardHook);
  keyboardHook = nullptr;
}

bool IsOffsetKeyHookInstalled() { return keyboardHook != nullptr; }
