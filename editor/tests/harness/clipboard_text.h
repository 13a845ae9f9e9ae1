// The clipboard as a test sees it: the editor's own helpers put and read
// text (editor/clipboard_text.h); this waits for the editor's copy to land.
#pragma once

#include <windows.h>

#include "editor/clipboard_text.h"

// Waits until the clipboard changes after GetClipboardSequenceNumber gave
// `sequence`, without opening it (which would keep the editor out).
bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs);
