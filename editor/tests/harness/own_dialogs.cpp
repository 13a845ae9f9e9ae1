#include "editor/tests/harness/own_dialogs.h"

#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"

namespace {

// The first or, when that one does not fit, the second dialog. A dialog
// still being built has no caption yet and never fits.
template <typename Fits>
HWND FindOwnDialog(Fits fits) {
  const DWORD self = GetCurrentProcessId();
  auto ready = [&](HWND dialog) { return GetWindowTextLengthA(dialog) > 0 && fits(dialog); };
  HWND found = FindProcessWindow(self, "#32770");
  if (found && !ready(found)) found = FindProcessWindow(self, "#32770", found);
  return found && ready(found) ? found : nullptr;
}

BOOL CALLBACK NoteTypingField(HWND child, LPARAM flag) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Edit") != 0 && lstrcmpiA(name, "ComboBox") != 0) return TRUE;
  *reinterpret_cast<bool*>(flag) = true;
  return FALSE;
}

// Whether the dialog has a field to type in: a file dialog has, a message
// box has only texts and buttons.
bool HasTypingField(HWND dialog) {
  bool found = false;
  EnumChildWindows(dialog, NoteTypingField, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

HWND FindOwnFileDialog() { return FindOwnDialog(HasTypingField); }

HWND FindOwnMessageBox() {
  return FindOwnDialog(
      [](HWND dialog) { return !HasTypingField(dialog) && !DialogStaticText(dialog).empty(); });
}
