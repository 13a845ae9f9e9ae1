#include "editor/tests/harness/keyboard_input.h"

#include <vector>

#include "editor/tests/harness/editor_process.h"

bool BringToForeground(HWND window) {
  SetForegroundWindow(window);
  return WaitFor(2000, [&] { return GetForegroundWindow() == window; });
}

bool PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    --key;
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  const UINT count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}
