// Plain text on the clipboard (CF_TEXT).
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents by `text`; false when the clipboard
// could not be had.
bool PutClipboardText(HWND owner, const std::string& text);
// The clipboard's CF_TEXT, or empty.
std::string ClipboardText(HWND owner);
