// IVideoWindow of the lyrics display filter: the strip's window as the
// editor places it, a child of its preview strip, and the window that gets
// the filter's messages (the message drain).
#include "filters/lyrics_display/lyrics_display_filter.h"

#include <dshow.h>
#include <oleauto.h>

namespace {

constexpr long kStripHeight = 200;
constexpr long kNarrowestStrip = 100;
// Styles a video window refuses.
constexpr long kRefusedStyles =
    WS_DISABLED | WS_ICONIC | WS_MAXIMIZE | WS_MINIMIZE | WS_HSCROLL | WS_VSCROLL;

// Any non-zero value counts as OATRUE: callers pass TRUE as often.
bool IsOn(long value) { return value != OAFALSE; }

// Sets the style or extended style (`index`) and lets the frame follow.
HRESULT PutStyle(HWND hwnd, int index, LONG_PTR style) {
  SetWindowLongPtrA(hwnd, index, style);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return S_OK;
}

HRESULT GetStyle(HWND hwnd, int index, long* style) {
  if (!style) return E_POINTER;
  if (!hwnd) return E_UNEXPECTED;
  *style = long(GetWindowLongPtrA(hwnd, index));
  return S_OK;
}

}  // namespace

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                                             DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                      VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Caption(BSTR caption) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  return SetWindowTextW(hwnd, caption ? caption : L"") ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Caption(BSTR* caption) {
  if (!caption) return E_POINTER;
  *caption = nullptr;
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  *caption = SysAllocString(text);
  return *caption ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_WindowStyle(long style) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  if (style & kRefusedStyles) return E_INVALIDARG;
  // Visibility stays with put_Visible.
  LONG_PTR visible = GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE;
  return PutStyle(hwnd, GWL_STYLE, (LONG_PTR(style) & ~LONG_PTR(WS_VISIBLE)) | visible);
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_WindowStyle(long* style) {
  return GetStyle(window_.Handle(), GWL_STYLE, style);
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_WindowStyleEx(long style) {
  HWND hwnd = window_.Handle();
  return hwnd ? PutStyle(hwnd, GWL_EXSTYLE, LONG_PTR(style)) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_WindowStyleEx(long* style) {
  return GetStyle(window_.Handle(), GWL_EXSTYLE, style);
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_AutoShow(long autoShow) {
  window_.SetAutoShow(IsOn(autoShow));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_AutoShow(long* autoShow) {
  if (!autoShow) return E_POINTER;
  *autoShow = window_.AutoShow() ? OATRUE : OAFALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_WindowState(long state) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  ShowWindow(hwnd, int(state));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_WindowState(long* state) {
  if (!state) return E_POINTER;
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  if (!IsWindowVisible(hwnd)) *state = SW_HIDE;
  else if (IsIconic(hwnd)) *state = SW_MINIMIZE;
  else if (IsZoomed(hwnd)) *state = SW_MAXIMIZE;
  else *state = SW_SHOW;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_BackgroundPalette(long palette) {
  // The strip draws in true colour and realizes no palette.
  backgroundPalette_ = IsOn(palette);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_BackgroundPalette(long* palette) {
  if (!palette) return E_POINTER;
  *palette = backgroundPalette_ ? OATRUE : OAFALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Visible(long visible) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  ShowWindow(hwnd, IsOn(visible) ? SW_SHOWNA : SW_HIDE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Visible(long* visible) {
  if (!visible) return E_POINTER;
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  *visible = IsWindowVisible(hwnd) ? OATRUE : OAFALSE;
  return S_OK;
}

bool LyricsDisplayFilter::WindowRect(RECT* rect) {
  HWND hwnd = window_.Handle();
  if (!hwnd || !GetWindowRect(hwnd, rect)) return false;
  // Child windows are placed in their parent's client coordinates.
  HWND parent = GetParent(hwnd);
  if (parent && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(rect), 2);
  }
  return true;
}

HRESULT LyricsDisplayFilter::MoveTo(const RECT& rect) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  if (rect.right < rect.left || rect.bottom < rect.top) return E_INVALIDARG;
  return SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE)
             ? S_OK
             : E_FAIL;
}

HRESULT LyricsDisplayFilter::PutSide(WindowSide side, long value) {
  RECT r;
  if (!WindowRect(&r)) return E_UNEXPECTED;
  switch (side) {
    case WindowSide::kLeft: OffsetRect(&r, value - r.left, 0); break;
    case WindowSide::kTop: OffsetRect(&r, 0, value - r.top); break;
    case WindowSide::kWidth: r.right = r.left + value; break;
    case WindowSide::kHeight: r.bottom = r.top + value; break;
  }
  return MoveTo(r);
}

HRESULT LyricsDisplayFilter::GetSide(WindowSide side, long* value) {
  if (!value) return E_POINTER;
  RECT r;
  if (!WindowRect(&r)) return E_UNEXPECTED;
  switch (side) {
    case WindowSide::kLeft: *value = r.left; break;
    case WindowSide::kTop: *value = r.top; break;
    case WindowSide::kWidth: *value = r.right - r.left; break;
    case WindowSide::kHeight: *value = r.bottom - r.top; break;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Left(long left) {
  return PutSide(WindowSide::kLeft, left);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Left(long* left) {
  return GetSide(WindowSide::kLeft, left);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Top(long top) {
  return PutSide(WindowSide::kTop, top);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Top(long* top) {
  return GetSide(WindowSide::kTop, top);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Width(long width) {
  return PutSide(WindowSide::kWidth, width);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Width(long* width) {
  return GetSide(WindowSide::kWidth, width);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Height(long height) {
  return PutSide(WindowSide::kHeight, height);
}
HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Height(long* height) {
  return GetSide(WindowSide::kHeight, height);
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_Owner(OAHWND owner) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  HWND parent = reinterpret_cast<HWND>(owner);
  if (parent && !IsWindow(parent)) return E_INVALIDARG;
  // Owned, the strip is a child of the owner's client area; unowned, a
  // window of its own.
  LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  style = parent ? (style & ~LONG_PTR(WS_POPUP)) | WS_CHILD : (style & ~LONG_PTR(WS_CHILD)) | WS_POPUP;
  SetWindowLongPtrA(hwnd, GWL_STYLE, style);
  SetParent(hwnd, parent);
  owner_ = parent;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_Owner(OAHWND* owner) {
  if (!owner) return E_POINTER;
  *owner = reinterpret_cast<OAHWND>(owner_);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_MessageDrain(OAHWND drain) {
  HWND hwnd = reinterpret_cast<HWND>(drain);
  if (hwnd && !IsWindow(hwnd)) return E_INVALIDARG;
  window_.SetDrain(hwnd);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_MessageDrain(OAHWND* drain) {
  if (!drain) return E_POINTER;
  *drain = reinterpret_cast<OAHWND>(window_.Drain());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_BorderColor(long* color) {
  if (!color) return E_POINTER;
  *color = borderColor_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_BorderColor(long color) {
  // The strip fills its whole window: there is no border to paint.
  borderColor_ = color;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::get_FullScreenMode(long* fullScreen) {
  if (!fullScreen) return E_POINTER;
  *fullScreen = OAFALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::put_FullScreenMode(long fullScreen) {
  return IsOn(fullScreen) ? E_NOTIMPL : S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::SetWindowForeground(long focus) {
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  BringWindowToTop(hwnd);
  if (IsOn(focus)) SetFocus(hwnd);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::NotifyOwnerMessage(OAHWND, long message, LONG_PTR,
                                                                  LONG_PTR) {
  // Colour and display changes reach a child through its owner: redraw.
  switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_PALETTECHANGED:
    case WM_DISPLAYCHANGE:
    case WM_DEVMODECHANGE:
      window_.Redraw();
      break;
    default:
      break;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::SetWindowPosition(long left, long top, long width,
                                                                 long height) {
  if (width < 0 || height < 0) return E_INVALIDARG;
  RECT r = {left, top, left + width, top + height};
  return MoveTo(r);
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetWindowPosition(long* left, long* top,
                                                                 long* width, long* height) {
  if (!left || !top || !width || !height) return E_POINTER;
  RECT r;
  if (!WindowRect(&r)) return E_UNEXPECTED;
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetMinIdealImageSize(long* width, long* height) {
  if (!width || !height) return E_POINTER;
  *width = kNarrowestStrip;
  *height = kStripHeight;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetMaxIdealImageSize(long* width, long* height) {
  if (!width || !height) return E_POINTER;
  *width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  *height = kStripHeight;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetRestorePosition(long* left, long* top,
                                                                  long* width, long* height) {
  if (!left || !top || !width || !height) return E_POINTER;
  HWND hwnd = window_.Handle();
  if (!hwnd) return E_UNEXPECTED;
  if (!IsIconic(hwnd) && !IsZoomed(hwnd)) return GetWindowPosition(left, top, width, height);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(hwnd, &placement)) return E_FAIL;
  const RECT& r = placement.rcNormalPosition;
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::HideCursor(long hide) {
  window_.SetCursorHidden(IsOn(hide));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::IsCursorHidden(long* hidden) {
  if (!hidden) return E_POINTER;
  *hidden = window_.CursorHidden() ? OATRUE : OAFALSE;
  return S_OK;
}
