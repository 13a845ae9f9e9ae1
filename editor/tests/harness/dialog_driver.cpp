#include "editor/tests/harness/dialog_driver.h"

#include <dlgs.h>

#include "editor/tests/harness/window_queries.h"

namespace {

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
  auto& text = *reinterpret_cast<std::string*>(lParam);
  if (WindowClassName(hwnd) != "Static") return TRUE;
  const std::string line = WindowTextOf(hwnd);
  if (line.empty()) return TRUE;
  if (!text.empty()) text += '\n';
  text += line;
  return TRUE;
}

}  // namespace

bool ClickDialogButton(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (!button || !IsWindowEnabled(button)) return false;
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != 0;
}

std::string DialogStaticText(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool EnterDialogFileName(HWND dialog, const char* path) {
  // The explorer-style dialogs hold the name in an edit control or in the
  // edit part of a combo box.
  HWND field = GetDlgItem(dialog, edt1);
  if (!field) field = GetDlgItem(dialog, cmb13);
  if (!field) return false;
  return SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path)) != 0;
}
