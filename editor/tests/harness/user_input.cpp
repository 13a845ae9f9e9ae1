#include "editor/tests/harness/user_input.h"

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

namespace {

INPUT MouseInput(POINT screen, DWORD flags) {
  // Absolute positions run from 0 to 65535 over the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height / 2) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

}  // namespace

bool MoveMouseTo(POINT screen) {
  INPUT input = MouseInput(screen, 0);
  return SendInput(1, &input, sizeof input) == 1;
}

bool ClickAt(POINT screen) {
  INPUT inputs[3] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                     MouseInput(screen, MOUSEEVENTF_LEFTUP)};
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}
