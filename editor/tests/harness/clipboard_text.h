// The clipboard as a test sees it: text put there for the editor to paste,
// text the editor copied, and waiting for the editor's copy to land.
#pragma once

#include <windows.h>

#include <string>

bool PutClipboardText(const std::string& text);
// The clipboard's CF_TEXT, or empty.
std::string ClipboardText();
// Waits until the clipboard changes after GetClipboardSequenceNumber gave
// `sequence`, without opening it (which would keep the editor out).
bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs);
