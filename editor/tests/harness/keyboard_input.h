// Keys pressed as a user presses them: through the system's input queue to
// the foreground window and its focus.
#pragma once

#include <windows.h>

#include <initializer_list>

// Brings `window` to the foreground; false when it did not get there.
bool BringToForeground(HWND window);
// Presses the keys in order and releases them in reverse order, e.g.
// {VK_CONTROL, 'V'}.
bool PressKeys(std::initializer_list<WORD> keys);
