#include "editor/controls/menu_bar_paint.h"

#include "display/win32/gdi_holders.h"
#include "editor/controls/buffered_drawing.h"

namespace {

// The 1-pixel edge of a cell: `topLeft` along its left and top, `bottomRight`
// along its right and bottom.
void DrawEdgeLines(HDC dc, const RECT& cell, int topLeft, int bottomRight) {
  HBRUSH light = GetSysColorBrush(topLeft);
  HBRUSH dark = GetSysColorBrush(bottomRight);
  const RECT left = {cell.left, cell.top, cell.left + 1, cell.bottom};
  const RECT top = {cell.left, cell.top, cell.right, cell.top + 1};
  const RECT right = {cell.right - 1, cell.top, cell.right, cell.bottom};
  const RECT bottom = {cell.left, cell.bottom - 1, cell.right, cell.bottom};
  FillRect(dc, &left, light);
  FillRect(dc, &top, light);
  FillRect(dc, &right, dark);
  FillRect(dc, &bottom, dark);
}

}  // namespace

bool MeasureTitleWidths(HDC dc, const LOGFONTA& font, MenuBarItem* items, int count) {
  MemoryDc memory(dc);
  GdiObject<HFONT> menuFont(CreateFontIndirectA(&font));
  if (!memory || !menuFont) return false;
  Selection selected(memory.get(), menuFont.get());
  for (int i = 0; i < count; ++i) {
    // The two letters give each title its spacing.
    char shown[kMenuBarTitleSize + 2];
    int length = 0;
    for (const char* p = items[i].text; *p != '\0'; ++p) {
      if (*p != '&') shown[length++] = *p;
    }
    shown[length++] = 'N';
    shown[length++] = 'N';
    SIZE size = {};
    if (!GetTextExtentPoint32A(memory.get(), shown, length, &size)) return false;
    items[i].width = size.cx;
  }
  return true;
}

void PaintTitleRow(HDC target, const RECT& client, const RECT& area, const TitleRow& row) {
  GdiObject<HFONT> font(CreateFontIndirectA(row.font));
  if (!font) return;
  DrawBuffered(
      target, area.left, area.top, area.right - area.left, area.bottom - area.top, [&](HDC dc) {
        Selection selectedFont(dc, font.get());
        // Client coordinates are drawn shifted so that `area` starts at 0,0.
        SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        int left = 0;
        for (int i = 0; i < row.count; ++i) {
          RECT cell = {left, client.top, left + row.items[i].width, client.bottom};
          if (cell.right > client.right) break;
          left = cell.right;
          RECT overlap;
          if (!IntersectRect(&overlap, &cell, &area)) continue;
          DrawTextA(dc, row.items[i].text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
          if (i == row.hotItem) DrawEdgeLines(dc, cell, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
          if (i == row.openItem) DrawEdgeLines(dc, cell, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        }
        SetViewportOrgEx(dc, 0, 0, nullptr);
        return true;
      });
}
