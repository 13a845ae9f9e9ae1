// Pictures of another process's windows as they show on the screen.
#pragma once

#include <windows.h>

#include "tools/bmp/picture_file.h"

// The window with its frame as it stands on the screen (copied from the
// screen, so overlapping windows show too). False when it cannot be had.
bool CaptureScreenWindow(HWND window, Picture& picture);
bool SaveScreenWindow(HWND window, const char* path);
