// Where the main window's children stand, how small the window may get and
// what the status bar shows about the caret.
#include "editor/main_window_layout.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstdio>

#include "editor/lyrics_text.h"
#include "editor/main_window.h"

namespace {

// Right edges of the status bar's parts 0 to 2, from the client's right.
constexpr int kStatusPartRightEdges[] = {220, 120, 18};
constexpr int kLinePart = 1;
constexpr int kColumnPart = 2;

int WindowHeight(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

void SetStatusPart(HWND status, int part, const char* text) {
  SendMessageA(status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

}  // namespace

int MenuBandHeight() {
  const int height = GetSystemMetrics(SM_CYMENUSIZE);
  if (height < kMinMenuBandHeight) return kMinMenuBandHeight;
  if (height > kMaxMenuBandHeight) return kMaxMenuBandHeight;
  return height;
}

bool EditorMainWindow::OnSize(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A minimised window has no client area to lay out; restoring it sends
  // the real size.
  if (wParam != SIZE_MINIMIZED) LayOut(LOWORD(lParam), HIWORD(lParam));
  result = 0;
  return true;
}

void EditorMainWindow::LayOut(int width, int height) {
  if (!status_) return;
  int edges[3];
  for (int part = 0; part < 3; ++part) edges[part] = width - kStatusPartRightEdges[part];
  SendMessageA(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  UpdateCaretStatus();

  const int statusHeight = WindowHeight(status_);
  MoveWindow(status_, 0, height - statusHeight, width, statusHeight, TRUE);
  MoveWindow(topBands_.hwnd(), 0, 0, width, WindowHeight(topBands_.hwnd()), TRUE);
  PlaceBelowTopBands(true);
}

// The preview strip, the lower band container and the lyrics text below
// the top band container, the text down to the status bar.
void EditorMainWindow::PlaceBelowTopBands(bool repaint) {
  RECT client = {};
  GetClientRect(window_, &client);
  const int width = client.right;
  const int top = WindowHeight(topBands_.hwnd());
  const int textTop = top + kPreviewHeight + kLowerBandsHeight;
  const int textBottom = client.bottom - WindowHeight(status_);
  MoveWindow(previewHost_.hwnd(), 0, top, width, kPreviewHeight, repaint);
  MoveWindow(lowerBands_.hwnd(), 0, top + kPreviewHeight, width, kLowerBandsHeight, repaint);
  MoveWindow(text_, 0, textTop, width, textBottom - textTop, repaint);
}

bool EditorMainWindow::OnSettingChange(WPARAM wParam, LPARAM lParam, LRESULT&) {
  if (wParam == SPI_SETNONCLIENTMETRICS && status_) {
    const int menuHeight = MenuBandHeight();
    topBands_.SetBandHeight(0, menuHeight);
    RECT client = {};
    GetClientRect(window_, &client);
    SetWindowPos(topBands_.hwnd(), nullptr, 0, 0, client.right,
                 menuHeight + kTopBandsExtraHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceBelowTopBands(false);
    SendMessageA(menuBar_.window(), WM_SETTINGCHANGE, wParam, lParam);
  }
  return false;  // default processing follows
}

bool EditorMainWindow::OnGetMinMaxInfo(WPARAM, LPARAM lParam, LRESULT& result) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMinTrackSize.x = kMinWindowSize;
  info->ptMinTrackSize.y = kMinWindowSize;
  result = 0;
  return true;
}

// Line and column of the caret in the lyrics, counted from 1 from the
// first lyrics line; blank while the caret is in the header.
void EditorMainWindow::UpdateCaretStatus() {
  if (!status_ || !text_) return;
  CHARRANGE selection = {};
  SendMessageA(text_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const int line = static_cast<int>(SendMessageA(text_, EM_EXLINEFROMCHAR, 0, selection.cpMin));
  if (line < kHeaderLineCount) {
    SetStatusPart(status_, kLinePart, "");
    SetStatusPart(status_, kColumnPart, "");
    return;
  }
  const int lineStart = static_cast<int>(SendMessageA(text_, EM_LINEINDEX, line, 0));
  char number[16];
  std::snprintf(number, sizeof number, "%d", line - (kHeaderLineCount - 1));
  SetStatusPart(status_, kLinePart, number);
  std::snprintf(number, sizeof number, "%d", static_cast<int>(selection.cpMin) - lineStart + 1);
  SetStatusPart(status_, kColumnPart, number);
}
