#include "filters/lyrics_display/strip_window.h"

#include <cmath>
#include <cstdlib>

#include "com_server/module_lock.h"

namespace {

const char kClassName[] = "KMEditLDWnd";
// The window's own posted messages.
constexpr UINT kMsgStateChanged = WM_APP + 1;
constexpr UINT kMsgSought = WM_APP + 2;
// The horizontal wheel's message, newer than the Windows version the
// build targets.
constexpr UINT kMouseHorizontalWheel = 0x020E;
constexpr UINT_PTR kPositionTimer = 1;
constexpr UINT kPositionPeriodMs = 50;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

bool RegisterStripClass(HINSTANCE module, WNDPROC proc) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(module, kClassName, &wc)) return true;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = module;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

StripWindow::StripWindow(StripModel& model, StripHost& host) : model_(model), host_(host) {}

StripWindow::~StripWindow() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (GetWindowThreadProcessId(hwnd_, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(hwnd_);
    // Fails while other windows of the class live, which is as it should be.
    UnregisterClassA(kClassName, ThisModule());
  } else {
    // Only the window's own thread can destroy it; it no longer knows us.
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  }
}

bool StripWindow::Create() {
  HINSTANCE module = ThisModule();
  if (!RegisterStripClass(module, Proc)) return false;
  view_ = MakeStripView(0, model_.songLength);
  BuildFonts();
  hwnd_ = CreateWindowExA(0, kClassName, "KMWLD", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                          nullptr, nullptr, module, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK StripWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The module stays while a window runs its code, even one whose filter
    // went away on another thread and left it to close itself.
    LockModule();
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<StripWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<StripWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (self) self->hwnd_ = nullptr;
    UnlockModule();
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT StripWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  int x = static_cast<short>(LOWORD(lParam));
  int y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(x, y); return 0;
    case WM_TIMER: OnTimer(); return 0;
    case kMsgStateChanged: OnStateChanged(); return 0;
    case kMsgSought: OnSought(); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(x, y, false); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(x, y, true); return 0;
    case WM_MOUSEMOVE: OnMouseMove(x); return 0;
    case WM_LBUTTONUP: OnButtonUp(x); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_KEYUP: OnKeyUp(wParam); return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Redraw(); return 0;
    case WM_MOUSEWHEEL: OnWheel(wParam, lParam, false); return 0;
    case kMouseHorizontalWheel: OnWheel(wParam, lParam, true); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(lParam)) return TRUE;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

void StripWindow::PostStateChanged() {
  if (hwnd_) PostMessageA(hwnd_, kMsgStateChanged, 0, 0);
}

void StripWindow::PostSought() {
  if (hwnd_) PostMessageA(hwnd_, kMsgSought, 0, 0);
}

void StripWindow::Post(UINT message, LPARAM lParam) {
  if (drain_) PostMessageA(drain_, message, 0, lParam);
}

void StripWindow::Redraw() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void StripWindow::PairsReplaced() {
  CancelGesture();
  Redraw();
}

void StripWindow::FontChanged() {
  BuildFonts();
  Redraw();
}

void StripWindow::SongChanged() {
  CancelGesture();
  {
    Locked hold(model_.lock);
    view_ = MakeStripView(view_.width, model_.songLength);
  }
  cursor_ = 0;
  Redraw();
}

bool StripWindow::UndoOrRedo(bool redo) {
  CancelGesture();
  size_t first = 0;
  bool done;
  {
    Locked hold(model_.lock);
    done = redo ? model_.history.Redo(model_.pairs, &first)
                : model_.history.Undo(model_.pairs, &first);
  }
  if (!done) return false;
  Post(kMsgPairsChanged, LPARAM(first));
  Redraw();
  return true;
}

const PairList& StripWindow::ShownPairs() const {
  return gesture_.planned ? gesture_.preview : model_.pairs;
}

void StripWindow::BuildFonts() {
  LOGFONTA font;
  bool smoothing;
  {
    Locked hold(model_.lock);
    font = model_.font;
    smoothing = model_.smoothing;
  }
  MakeStripFonts(font, smoothing, &fonts_);
}

void StripWindow::OnSize(int width, int height) {
  ResizeView(view_, width);
  height_ = height;
  Redraw();
}

void StripWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  int width = client.right, height = client.bottom;
  if (width > 0 && height > 0) {
    if (!buffer_ || width != bufferWidth_ || height != bufferHeight_) {
      void* bits = nullptr;
      buffer_.emplace(CreateDib32(dc, width, height, &bits));
      bits_ = static_cast<uint32_t*>(bits);
      bufferWidth_ = width;
      bufferHeight_ = height;
    }
    MemoryDc memory(dc);
    if (memory && buffer_->get() && bits_) {
      Selection select(memory.get(), buffer_->get());
      view_.width = width;
      {
        Locked hold(model_.lock);
        StripScene scene;
        scene.view = &view_;
        scene.height = height;
        scene.pairs = &ShownPairs();
        scene.lyrics = &model_.lyrics;
        scene.peaks = &model_.peaks;
        scene.cursor = cursor_;
        scene.currentUnit = CurrentPairIndex(*scene.pairs, cursor_);
        scene.activePair = gesture_.planned ? int(gesture_.plan.first) : -1;
        scene.focused = GetFocus() == hwnd_;
        scene.lyricsFont = fonts_.Lyrics();
        scene.lyricsFontHeight = fonts_.lyricsHeight;
        scene.labelFont = fonts_.Label();
        PaintStrip(memory.get(), bits_, scene, paintCache_);
      }
      BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(hwnd_, &ps);
}

bool StripWindow::TakePosition(bool report) {
  int32_t time = 0;
  if (!host_.PlayingPosition(&time)) return false;
  // A unit being timed holds the position too: its end is the position.
  bool inside = gesture_.kind == Gesture::kLiveStamp;
  if (!inside) {
    Locked hold(model_.lock);
    inside = PairHolding(ShownPairs(), time) >= 0;
  }
  if (report) Post(kMsgPosition, LPARAM(inside ? ~time : time));
  double before = std::floor(TimeToX(view_, cursor_));
  cursor_ = time;
  bool paged = FollowPosition(view_, time);
  if (paged || std::floor(TimeToX(view_, time)) != before) Redraw();
  return true;
}

void StripWindow::OnTimer() {
  if (!TakePosition(true)) return;
  if (gesture_.kind == Gesture::kLiveStamp) UpdateLiveStamp(cursor_);
}

void StripWindow::OnStateChanged() {
  FILTER_STATE state = host_.GraphState();
  running_ = state == State_Running;
  if (state != State_Stopped && autoShow_ && !IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_SHOWNA);
  }
  if (running_) {
    SetTimer(hwnd_, kPositionTimer, kPositionPeriodMs, nullptr);
  } else {
    KillTimer(hwnd_, kPositionTimer);
    // A unit held while the song stops ends where the song was last seen.
    if (gesture_.kind == Gesture::kLiveStamp) FinishGesture(0);
  }
  TakePosition(false);
}

void StripWindow::OnSought() { TakePosition(true); }

void StripWindow::OnWheel(WPARAM wParam, LPARAM lParam, bool horizontal) {
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(hwnd_, &at);
  double notches = GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA);
  {
    Locked hold(model_.lock);
    view_.songLength = model_.songLength;
  }
  if (horizontal || (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT)) {
    PanView(view_, (horizontal ? notches : -notches) * view_.width / 8.0);
  } else {
    // Away from the user zooms in.
    ZoomView(view_, at.x, std::pow(0.8, notches));
  }
  Redraw();
}

bool StripWindow::OnSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  if (cursorHidden_) {
    SetCursor(nullptr);
    return true;
  }
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(hwnd_, &at);
  if (at.y < kRulerHeight) return false;
  // The pointer shows what a drag would do.
  LPCSTR shape = nullptr;
  {
    Locked hold(model_.lock);
    int pair = -1;
    PairEdge edge;
    switch (model_.tool) {
      case kToolAdjust:
        if (NearestEdge(at.x, &pair, &edge)) shape = IDC_SIZEWE;
        break;
      case kToolMove:
        if (PairAtColumn(at.x) >= 0) shape = IDC_SIZEALL;
        break;
      case kToolMoveAll:
        shape = IDC_SIZEWE;
        break;
      default:
        break;
    }
  }
  if (!shape) return false;
  SetCursor(LoadCursor(nullptr, shape));
  return true;
}
