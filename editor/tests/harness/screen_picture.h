// Pictures of another process's windows as they show on the screen (copied
// from the screen, so whatever overlaps them shows too).
#pragma once

#include <windows.h>

#include "tools/bmp/picture_file.h"

// A rectangle of the screen.
bool CaptureScreenRect(const RECT& screen, Picture& picture);
// The window with its frame. Under Xvfb without a window manager nobody
// draws the frame, which then shows black.
bool SaveScreenWindow(HWND window, const char* path);
// The window's client area: everything the program draws itself.
bool SaveScreenClient(HWND window, const char* path);
