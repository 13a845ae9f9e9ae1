// Keys and mouse as a user uses them: through the system's input queue to
// the foreground window and its focus, or to the window under the pointer.
#pragma once

#include <windows.h>

#include <initializer_list>

// Brings `window` to the foreground; false when it did not get there.
bool BringToForeground(HWND window);
// Presses the keys in order and releases them in reverse order, e.g.
// {VK_CONTROL, 'V'}.
bool PressKeys(std::initializer_list<WORD> keys);

// Moves the pointer to a point on the screen.
bool MoveMouseTo(POINT screen);
// Moves the pointer there and clicks the left button.
bool ClickAt(POINT screen);
