#include "editor/controls/position_bar.h"

#include <windowsx.h>

#include "display/win32/gdi_holders.h"
#include "editor/controls/buffered_drawing.h"

const char PositionBar::kClassName[] = "KMEditCPWnd";

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// value * numerator / denominator without overflowing 32 bits in between
// (long songs in centiseconds times a wide bar do).
int32_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int32_t>(value * numerator / denominator);
}

}  // namespace

PositionBar::~PositionBar() { DestroyControlWindow(hwnd_); }

HWND PositionBar::CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id) {
  static const ControlClass kClass = {kClassName, ControlWindowProc<PositionBar>,
                                      WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE};
  if (hwnd_) return nullptr;
  parent_ = parent;
  return CreateControlWindow(kClass, parent, instance, rect, id, this);
}

void PositionBar::SetPosition(int32_t position) {
  position = Clamp(position, 0, range_);
  if (position == position_) return;
  position_ = position;
  const int width = ClientWidth();
  if (width > 0) PaintUpTo(PositionToX(width));
}

void PositionBar::SetRange(int32_t range) {
  if (range <= 0 || range == range_) return;
  position_ = Scale(position_, range, range_);
  range_ = range;
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

void PositionBar::Enable(bool enabled, bool redraw) {
  // The drag ends without a notification: whoever disables the bar knows.
  if (!enabled && dragging_) EndDrag(false);
  const bool changed = enabled != enabled_;
  enabled_ = enabled;
  if (redraw && changed && hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

int PositionBar::ClientWidth() const {
  RECT client = {};
  if (!hwnd_ || !GetClientRect(hwnd_, &client)) return 0;
  return client.right;
}

int PositionBar::PositionToX(int width) const { return Scale(width, position_, range_); }

void PositionBar::Paint() {
  PaintWindow(hwnd_, [&](HDC dc, const RECT& client) {
    if (!enabled_) {
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      paintedX_ = 0;
      return;
    }
    const int x = position_ > 0 ? PositionToX(client.right) : 0;
    const bool drawn = DrawBuffered(dc, 0, 0, client.right, client.bottom, [&](HDC memory) {
      if (x <= 0) return true;
      GdiObject<HBRUSH> played(CreateSolidBrush(kPlayedColor));
      if (!played) return false;
      const RECT strip = {0, 0, x, client.bottom};
      FillRect(memory, &strip, played.get());
      return true;
    });
    if (drawn) paintedX_ = x;
  });
}

// Paints only the strip between what the bar shows and x: green when the
// played part grows, button face when it shrinks. A disabled bar shows no
// played part, so nothing is painted then.
void PositionBar::PaintUpTo(int x) {
  if (!hwnd_ || !enabled_) return;
  RECT client = {};
  GetClientRect(hwnd_, &client);
  x = Clamp(x, 0, client.right);
  if (x == paintedX_) return;
  const bool grows = x > paintedX_;
  GdiObject<HBRUSH> played(grows ? CreateSolidBrush(kPlayedColor) : nullptr);
  if (grows && !played) return;
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  const RECT strip = {grows ? paintedX_ : x, 0, grows ? x : paintedX_, client.bottom};
  FillRect(dc, &strip, grows ? played.get() : GetSysColorBrush(COLOR_BTNFACE));
  ReleaseDC(hwnd_, dc);
  paintedX_ = x;
}

void PositionBar::MoveToMouse(int mouseX) {
  const int width = ClientWidth();
  if (width > 0) {
    position_ = Scale(Clamp(mouseX, 0, width), range_, width);
    PaintUpTo(PositionToX(width));
  }
  NotifyParent();
}

void PositionBar::EndDrag(bool notify) {
  // The flag goes first so that the WM_CAPTURECHANGED of the release finds
  // no drag left to end.
  dragging_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (notify) NotifyParent();
}

void PositionBar::NotifyParent() {
  if (!parent_ || !hwnd_) return;
  SendMessageA(parent_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), 0),
               reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT PositionBar::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY:
      dragging_ = false;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
      if (enabled_) {
        if (!dragging_) {
          SetCapture(hwnd);
          dragging_ = true;
        }
        MoveToMouse(GET_X_LPARAM(lParam));
      }
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) MoveToMouse(GET_X_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) EndDrag(true);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a menu, a dialog, a task switch):
      // the drag is over, and the parent hears of its end as after a release.
      if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd) EndDrag(true);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
