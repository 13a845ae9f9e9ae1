// Measuring and drawing the titles of the menu bar.
#pragma once

#include <windows.h>

#include "editor/controls/menu_bar.h"

// What a paint of the bar needs to know.
struct TitleRow {
  const MenuBarItem* items;
  int count;
  int hotItem;   // drawn raised; -1 when none
  int openItem;  // drawn sunken; -1 when none
  const LOGFONTA* font;
};

// Sets each title's width: its text without "&" and with "NN" appended, in
// `font`, measured on a memory device context made from `dc`. False when
// the font or the device context cannot be had.
bool MeasureTitleWidths(HDC dc, const LOGFONTA& font, MenuBarItem* items, int count);

// Draws `area` of the bar (client coordinates) into `target` through a
// memory bitmap: the button face, then every title that ends within the
// client width, centred in its cell, with its edge. Nothing is drawn when a
// bitmap, the font or a device context cannot be had.
void PaintTitleRow(HDC target, const RECT& client, const RECT& area, const TitleRow& row);
