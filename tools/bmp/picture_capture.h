// Pictures of what a device context or a window shows.
#pragma once

#include <windows.h>

#include "tools/bmp/picture_file.h"

// Copies a width x height area at the origin of a device context.
bool CapturePicture(HDC dc, int width, int height, Picture& picture);
// The client area of `window` as it is on the screen.
bool CaptureWindowPicture(HWND window, Picture& picture);
bool SaveWindowBitmap(HWND window, const char* path);
