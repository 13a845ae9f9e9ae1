// Fills a toolbar the way the editor lays out its two toolbars: buttons of
// kToolbarButtonWidth x kToolbarButtonHeight with the command's built-in
// image centred, and separators kToolbarSeparatorWidth wide, left to right.
#pragma once

#include "editor/controls/toolbar.h"

constexpr int kToolbarButtonWidth = 32;
constexpr int kToolbarButtonHeight = 23;
constexpr int kToolbarSeparatorWidth = 6;

// One entry of a row: a button of `kind` for `commandId`, or a separator
// when kind is kToolbarSeparator (commandId is then ignored).
struct ToolbarItem {
  int kind;
  int commandId;
};

// Adds the items from x = 0. False as soon as one AddButton fails.
bool AddToolbarItems(Toolbar& toolbar, const ToolbarItem* items, int count);
// The width of such a row.
int ToolbarItemsWidth(const ToolbarItem* items, int count);
