#include "editor/controls/menu_bar.h"

#include <cctype>
#include <cstddef>

#include "editor/controls/buffered_drawing.h"
#include "editor/controls/menu_bar_filter.h"
#include "editor/controls/menu_bar_paint.h"

namespace {

// NONCLIENTMETRICSA as it was before iPaddedBorderWidth was added: the size
// every Windows version accepts.
constexpr UINT kMetricsSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
static_assert(kMetricsSize == 340, "NONCLIENTMETRICSA without the padded border");

POINT PointFromLParam(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The mnemonic of a title: the character after its first "&", or 0.
char Mnemonic(const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '&') return p[1];
  }
  return '\0';
}

}  // namespace

const char MenuBar::kClassName[] = "KMEditCMWnd";

MenuBar::~MenuBar() {
  DestroyControlWindow(hwnd_);
  if (menu_) DestroyMenu(menu_);
}

HWND MenuBar::CreateControl(HINSTANCE instance, HWND parent, const RECT& rect, int controlId) {
  static const ControlClass kClass = {kClassName, ControlWindowProc<MenuBar>, WS_CHILD | WS_VISIBLE,
                                      0};
  if (hwnd_) return nullptr;
  HWND hwnd = CreateControlWindow(kClass, parent, instance, rect, controlId, this);
  if (hwnd) owner_ = parent;
  return hwnd;
}

bool MenuBar::LoadMenuBar(HINSTANCE instance, int resourceId) {
  if (!hwnd_ || menu_) return false;
  menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
  if (!menu_) return false;
  const int count = GetMenuItemCount(menu_);
  itemCount_ = count < 0 ? 0 : count > kMenuBarMaxItems ? kMenuBarMaxItems : count;
  for (int i = 0; i < itemCount_; ++i) {
    // At most 25 characters: the buffer size counts the NUL.
    GetMenuStringA(menu_, static_cast<UINT>(i), items_[i].text, 26, MF_BYPOSITION);
  }
  if (!ReadMenuFont() || !MeasureTitles()) {
    // Leave the bar empty so that a later call may try again.
    DestroyMenu(menu_);
    menu_ = nullptr;
    itemCount_ = 0;
    return false;
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void MenuBar::CheckItem(UINT commandId, bool checked) {
  if (commandId == 0 || !menu_) return;
  CheckMenuItem(menu_, commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuBar::EnableItem(UINT commandId, bool enabled) {
  if (commandId == 0 || !menu_) return;
  EnableMenuItem(menu_, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuBar::OpenByMnemonic(char character) {
  const int wanted = std::toupper(static_cast<unsigned char>(character));
  for (int i = 0; i < itemCount_; ++i) {
    const char mnemonic = Mnemonic(items_[i].text);
    if (mnemonic != '\0' && std::toupper(static_cast<unsigned char>(mnemonic)) == wanted) {
      PostMessageA(hwnd_, kMenuBarOpenMessage, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  return false;
}

bool MenuBar::ReadMenuFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = kMetricsSize;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0)) return false;
  menuFont_ = metrics.lfMenuFont;
  return true;
}

bool MenuBar::MeasureTitles() {
  HDC screen = GetDC(hwnd_);
  if (!screen) return false;
  const bool measured = MeasureTitleWidths(screen, menuFont_, items_, itemCount_);
  ReleaseDC(hwnd_, screen);
  return measured;
}

RECT MenuBar::TitleCell(int index) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  int left = 0;
  for (int i = 0; i < index; ++i) left += items_[i].width;
  return {left, client.top, left + items_[index].width, client.bottom};
}

bool MenuBar::FitsClient(int index) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return TitleCell(index).right <= client.right;
}

int MenuBar::HitTest(POINT client) const {
  if (!hwnd_) return -1;
  RECT area;
  GetClientRect(hwnd_, &area);
  if (client.y < area.top || client.y >= area.bottom) return -1;
  int left = 0;
  for (int i = 0; i < itemCount_; ++i) {
    const int right = left + items_[i].width;
    if (right > area.right) return -1;
    if (client.x >= left && client.x < right) return i;
    left = right;
  }
  return -1;
}

void MenuBar::DrawCells(HDC target, const RECT& area) {
  TitleRow row = {items_, itemCount_, hotItem_, openItem_, &menuFont_};
  RECT client;
  GetClientRect(hwnd_, &client);
  PaintTitleRow(target, client, area, row);
}

void MenuBar::SetHighlight(int title, TitleEdge edge) {
  if (title < -1 || title >= itemCount_ || !hwnd_) return;
  const int previous = hotItem_ != -1 ? hotItem_ : openItem_;
  hotItem_ = edge == TitleEdge::kRaised ? title : -1;
  openItem_ = edge == TitleEdge::kSunken ? title : -1;
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  // Only the two cells that changed are drawn, each only where it fits.
  if (previous >= 0 && previous != title && FitsClient(previous)) {
    DrawCells(dc, TitleCell(previous));
  }
  if (title >= 0 && FitsClient(title)) DrawCells(dc, TitleCell(title));
  ReleaseDC(hwnd_, dc);
}

void MenuBar::OnMouseMove(POINT client) {
  if (!tracking_) {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    track.dwHoverTime = 1;
    tracking_ = TrackMouseEvent(&track);
  }
  if (itemCount_ > 0) {
    const int title = HitTest(client);
    if (title != hotItem_ || openItem_ != -1) {
      SetHighlight(title, title >= 0 ? TitleEdge::kRaised : TitleEdge::kPlain);
    }
  }
  lastMouse_ = client;
}

void MenuBar::OpenPopup(int title) {
  if (title < 0 || title >= itemCount_ || !hwnd_) return;
  HMENU popup = GetSubMenu(menu_, title);
  if (!popup) return;

  // The title's cell on the screen, kept clear by the pop-up.
  RECT cell = TitleCell(title);
  MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&cell), 2);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  TPMPARAMS params = {};
  params.cbSize = sizeof params;
  IntersectRect(&params.rcExclude, &cell, &desktop);

  if (!InstallMenuBarFilter(*this)) return;
  switching_ = FALSE;
  SetHighlight(title, TitleEdge::kSunken);
  // The pop-up's top stands on the title's bottom edge, its left on the
  // title's left edge; it returns when the pop-up closes.
  TrackPopupMenuEx(popup, TPM_VERTICAL | TPM_TOPALIGN | TPM_LEFTALIGN, params.rcExclude.left,
                   params.rcExclude.bottom, hwnd_, &params);
  if (!switching_ && hwnd_) SetHighlight(title, TitleEdge::kPlain);
  RemoveMenuBarFilter();
}

void MenuBar::SwitchTo(int title) {
  switching_ = TRUE;
  SendMessageA(hwnd_, WM_CANCELMODE, 0, 0);
  PostMessageA(hwnd_, kMenuBarOpenMessage, static_cast<WPARAM>(title), 0);
}

void MenuBar::ClosePopupByClick(POINT client) {
  switching_ = TRUE;
  SendMessageA(hwnd_, WM_CANCELMODE, 0, 0);
  SetHighlight(HitTest(client), TitleEdge::kRaised);
}

LRESULT MenuBar::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow(hwnd, [this](HDC dc, const RECT& client) { DrawCells(dc, client); });
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS && menu_ && ReadMenuFont() && MeasureTitles()) {
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
      return owner_ ? SendMessageA(owner_, message, wParam, lParam) : 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PointFromLParam(lParam));
      return 0;
    case WM_LBUTTONDOWN: {
      const int title = HitTest(PointFromLParam(lParam));
      if (title >= 0) {
        OpenPopup(title);
      } else {
        SetHighlight(-1, TitleEdge::kPlain);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_ = FALSE;
      if (hotItem_ != -1) SetHighlight(-1, TitleEdge::kPlain);
      return 0;
    case kMenuBarOpenMessage:
      OpenPopup(static_cast<int>(wParam));
      return 0;
    case WM_DESTROY:
      // The bar is one child of the main window, which ends the program
      // when it goes itself; the bar's own end must not. An open pop-up
      // closes with it.
      if (openItem_ != -1) EndMenu();
      owner_ = nullptr;
      hotItem_ = -1;
      openItem_ = -1;
      tracking_ = FALSE;
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
