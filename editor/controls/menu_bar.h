// The editor's menu bar, window class "KMEditCMWnd": the top-level titles of
// one menu resource drawn in the system's menu font, their pop-up menus
// opened with TrackPopupMenuEx, sliding between titles with the mouse and
// the Left and Right keys while a pop-up is open. Commands and pop-up
// initialisation go on to the window that owns the bar.
#pragma once

#include <windows.h>

#include "editor/controls/control_window.h"

constexpr int kMenuBarMaxItems = 10;
constexpr int kMenuBarTitleSize = 28;  // room for 25 characters and the NUL
// Posted to the bar (wParam = title index) to open that title's pop-up.
constexpr UINT kMenuBarOpenMessage = WM_USER + 5;

struct MenuBarItem {
  char text[kMenuBarTitleSize];  // with its "&" mnemonic marker
  int width;                     // pixels
};

// How a title is drawn.
enum class TitleEdge { kPlain = 0, kRaised = 1, kSunken = 2 };

class MenuBar : public ControlWindow {
 public:
  static const char kClassName[];

  MenuBar() = default;
  ~MenuBar();

  // Registers the class when needed and creates the child window; the
  // parent becomes the owner of the bar. Null on failure.
  HWND CreateControl(HINSTANCE instance, HWND parent, const RECT& rect, int controlId);
  // Loads the menu resource (once, after CreateControl), reads the menu font
  // and measures the titles. False when the menu, the font or a device
  // context cannot be had.
  bool LoadMenuBar(HINSTANCE instance, int resourceId);
  void CheckItem(UINT commandId, bool checked);
  void EnableItem(UINT commandId, bool enabled);
  // Offered the character of the owner's WM_MENUCHAR: when a title's
  // mnemonic is that letter (in either case), posts the opening of its
  // pop-up and returns true; the owner then answers MNC_CLOSE.
  bool OpenByMnemonic(char character);

  HWND window() const { return hwnd_; }
  HMENU menu() const { return menu_; }
  int itemCount() const { return itemCount_; }
  const MenuBarItem& item(int index) const { return items_[index]; }
  int hotItem() const { return hotItem_; }
  int openItem() const { return openItem_; }

  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend bool MenuBarFilterMessage(MenuBar& bar, const MSG& message);

  bool ReadMenuFont();
  bool MeasureTitles();
  int HitTest(POINT client) const;
  RECT TitleCell(int index) const;
  bool FitsClient(int index) const;
  void DrawCells(HDC target, const RECT& area);
  void SetHighlight(int title, TitleEdge edge);
  void OnMouseMove(POINT client);
  void OpenPopup(int title);
  void SwitchTo(int title);
  void ClosePopupByClick(POINT client);

  HWND owner_ = nullptr;
  HMENU menu_ = nullptr;
  MenuBarItem items_[kMenuBarMaxItems] = {};
  int itemCount_ = 0;
  int hotItem_ = -1;
  int openItem_ = -1;
  BOOL tracking_ = FALSE;
  BOOL switching_ = FALSE;
  BOOL clickedOpenTitle_ = FALSE;
  POINT lastMouse_ = {-1, -1};
  LOGFONTA menuFont_ = {};
};
