// Answering another process's dialogs as a user would: message boxes,
// the common file and font dialogs, the About box.
#pragma once

#include <windows.h>

#include <string>

// Presses the button `buttonId` (IDOK, IDCANCEL, IDYES, IDNO...) of a
// dialog. False when the dialog has no such enabled button.
bool ClickDialogButton(HWND dialog, int buttonId);
// The texts of the dialog's static controls, one line each: a message box's
// message, the About box's lines.
std::string DialogStaticText(HWND dialog);
// Types `path` into the file name field of a common Open or Save As dialog.
bool EnterDialogFileName(HWND dialog, const char* path);
