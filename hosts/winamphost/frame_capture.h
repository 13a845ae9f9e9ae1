// Pictures of a window's client area, as the user sees it on the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Top-down 0x00RRGGBB pixels of the client area.
struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

bool CaptureWindowPixels(HWND window, WindowPixels& picture);
bool WriteBitmapFile(const char* path, const WindowPixels& picture);
bool SaveWindowBitmap(HWND window, const char* path);
