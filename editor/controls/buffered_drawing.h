// Flicker-free drawing for the controls: draw into a memory bitmap filled
// with the button-face colour, then copy it to the window in one operation.
#pragma once

#include <windows.h>

#include "display/win32/gdi_holders.h"

// Answers WM_PAINT: calls draw(dc, clientRect) between BeginPaint and
// EndPaint.
template <typename Draw>
void PaintWindow(HWND window, Draw draw) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client = {};
  GetClientRect(window, &client);
  draw(dc, client);
  EndPaint(window, &paint);
}

// Calls draw(memoryDc) on a width x height bitmap compatible with `target`,
// filled with the button face, and copies it to `target` at (x, y). Does
// nothing and returns false when the area is empty or a GDI object cannot
// be made.
template <typename Draw>
bool DrawBuffered(HDC target, int x, int y, int width, int height, Draw draw) {
  if (width <= 0 || height <= 0) return false;
  MemoryDc memory(target);
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, width, height));
  if (!memory || !bitmap) return false;
  Selection selected(memory.get(), bitmap.get());
  const RECT area = {0, 0, width, height};
  FillRect(memory.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
  if (!draw(memory.get())) return false;
  return BitBlt(target, x, y, width, height, memory.get(), 0, 0, SRCCOPY) != 0;
}
