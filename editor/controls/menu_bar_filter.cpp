#include "editor/controls/menu_bar_filter.h"

namespace {

// Only one pop-up menu can be open on a thread, so one bar at a time.
MenuBar* openBar = nullptr;
HHOOK filterHook = nullptr;

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU && openBar && lParam &&
      MenuBarFilterMessage(*openBar, *reinterpret_cast<const MSG*>(lParam))) {
    return 1;
  }
  return CallNextHookEx(filterHook, code, wParam, lParam);
}

}  // namespace

bool InstallMenuBarFilter(MenuBar& bar) {
  if (openBar) return false;
  filterHook = SetWindowsHookExA(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
  if (!filterHook) return false;
  openBar = &bar;
  return true;
}

void RemoveMenuBarFilter() {
  if (filterHook) UnhookWindowsHookEx(filterHook);
  filterHook = nullptr;
  openBar = nullptr;
}

bool MenuBarFilterMessage(MenuBar& bar, const MSG& message) {
  if (!bar.hwnd_) return false;
  // The pop-up holds the mouse; its messages carry the cursor's screen
  // position in `pt` on every system.
  POINT client = message.pt;
  ScreenToClient(bar.hwnd_, &client);
  switch (message.message) {
    case WM_KEYDOWN: {
      // At the first and the last title the pop-up handles the key itself.
      int next = -1;
      if (message.wParam == VK_LEFT) next = bar.openItem_ - 1;
      if (message.wParam == VK_RIGHT) next = bar.openItem_ + 1;
      if (bar.openItem_ < 0 || next < 0 || next >= bar.itemCount_ || !bar.FitsClient(next)) {
        return false;
      }
      bar.SwitchTo(next);
      return true;
    }
    case WM_MENUSELECT:
      SendMessageA(bar.hwnd_, WM_MENUSELECT, message.wParam, message.lParam);
      return true;
    case WM_MOUSEMOVE: {
      // Opening a pop-up can repeat the last position; that is no move.
      if (client.x == bar.lastMouse_.x && client.y == bar.lastMouse_.y) return true;
      bar.lastMouse_ = client;
      const int title = bar.HitTest(client);
      if (title < 0 || title == bar.openItem_) return false;
      bar.SwitchTo(title);
      return true;
    }
    case WM_LBUTTONDOWN: {
      const int title = bar.HitTest(client);
      if (title < 0) return false;
      if (title == bar.openItem_) {
        bar.clickedOpenTitle_ = TRUE;
      } else {
        bar.SwitchTo(title);
      }
      return true;
    }
    case WM_LBUTTONUP: {
      if (!bar.clickedOpenTitle_) return false;
      bar.clickedOpenTitle_ = FALSE;
      RECT area;
      GetClientRect(bar.hwnd_, &area);
      if (PtInRect(&area, client)) bar.ClosePopupByClick(client);
      return true;
    }
    default:
      return false;
  }
}
