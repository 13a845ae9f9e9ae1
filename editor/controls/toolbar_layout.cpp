#include "editor/controls/toolbar_layout.h"

#include "editor/controls/toolbar_images.h"

namespace {

int ItemWidth(const ToolbarItem& item) {
  return item.kind == kToolbarSeparator ? kToolbarSeparatorWidth : kToolbarButtonWidth;
}

}  // namespace

bool AddToolbarItems(Toolbar& toolbar, const ToolbarItem* items, int count) {
  int x = 0;
  for (int i = 0; i < count; ++i) {
    const ToolbarItem& item = items[i];
    RECT button = {x, 0, x + ItemWidth(item), kToolbarButtonHeight};
    x = button.right;
    ToolbarImage image = item.kind == kToolbarSeparator ? ToolbarImage() : GetToolbarImage(item.commandId);
    int left = button.left + (ItemWidth(item) - image.width) / 2;
    int top = (kToolbarButtonHeight - image.height) / 2;
    RECT imageRect = {left, top, left + image.width, top + image.height};
    if (!toolbar.AddButton(item.kind, button, imageRect, image.pixels, item.commandId)) return false;
  }
  return true;
}

int ToolbarItemsWidth(const ToolbarItem* items, int count) {
  int width = 0;
  for (int i = 0; i < count; ++i) width += ItemWidth(items[i]);
  return width;
}
