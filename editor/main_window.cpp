#include "editor/main_window.h"

#include "editor/editor_ids.h"

const char kMainWindowClass[] = "KMEditMWnd";
const char kEditorName[] = "Kamiru Editor";

namespace {

// The small icon of the class is drawn at this size.
constexpr int kSmallIconSize = 20;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<EditorMainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  return window->HandleMessage(hwnd, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, kMainWindowClass, &wc)) return true;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                             kSmallIconSize, kSmallIconSize, 0));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

const EditorMainWindow::MessageEntry EditorMainWindow::kMessages[] = {
    {WM_CREATE, &EditorMainWindow::OnCreate},
    {WM_SIZE, &EditorMainWindow::OnSize},
    {WM_PAINT, &EditorMainWindow::OnPaint},
    {WM_ERASEBKGND, &EditorMainWindow::OnEraseBackground},
    {WM_CLOSE, &EditorMainWindow::OnClose},
    {WM_DESTROY, &EditorMainWindow::OnDestroy},
    {WM_SETTINGCHANGE, &EditorMainWindow::OnSettingChange},
    {WM_GETMINMAXINFO, &EditorMainWindow::OnGetMinMaxInfo},
    {WM_NOTIFY, &EditorMainWindow::OnNotify},
    {WM_COMMAND, &EditorMainWindow::OnCommand},
    {WM_MENUCHAR, &EditorMainWindow::OnMenuChar},
    {WM_TIMER, &EditorMainWindow::OnTimer},
    {kMsgPairsChanged, &EditorMainWindow::OnPairsChanged},
    {kMsgUnitChosen, &EditorMainWindow::OnUnitChosen},
    {kMsgPosition, &EditorMainWindow::OnPositionReport},
    {kMsgSeekRequest, &EditorMainWindow::OnSeekRequest},
    {kMsgPlayOrPause, &EditorMainWindow::OnPlayOrPause},
    {kDecodingCompleteMessage, &EditorMainWindow::OnDecodingComplete},
    {kGraphEventMessage, &EditorMainWindow::OnGraphEvent},
};

EditorMainWindow::~EditorMainWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool EditorMainWindow::Create(HINSTANCE instance) {
  instance_ = instance;
  if (!RegisterMainWindowClass(instance)) return false;
  LoadEditorSettings(settings_);
  const RECT& rect = settings_.windowRect;
  if (!CreateWindowExA(0, kMainWindowClass, kEditorName, WS_OVERLAPPEDWINDOW, rect.left,
                       rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                       nullptr, instance, this)) {
    return false;
  }
  accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  return true;
}

LRESULT EditorMainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) window_ = hwnd;
  for (const MessageEntry& entry : kMessages) {
    if (entry.message != message) continue;
    LRESULT result = 0;
    if ((this->*entry.handler)(wParam, lParam, result)) return result;
    break;
  }
  if (message == WM_NCDESTROY) {
    // The children are gone with the window.
    window_ = nullptr;
    text_ = nullptr;
    status_ = nullptr;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool EditorMainWindow::PreTranslateMessage(MSG& message) {
  if (!window_) return false;
  if (message.hwnd == text_ && text_ &&
      (message.message == WM_CHAR || message.message == WM_IME_STARTCOMPOSITION)) {
    PrepareTextInput();
  }
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && accelerators_ &&
      TranslateAcceleratorA(window_, accelerators_, &message)) {
    return true;
  }
  if (playState_ != PlayState::kPlaying && message.message >= WM_MOUSEMOVE &&
      message.message <= WM_MBUTTONDBLCLK) {
    if (message.hwnd && message.hwnd == audioToolbar_.hwnd()) {
      audioToolbar_.RelayTooltipEvent(message);
    } else if (message.hwnd && message.hwnd == editToolbar_.hwnd()) {
      editToolbar_.RelayTooltipEvent(message);
    }
  }
  return false;
}

void EditorMainWindow::AfterDispatch(const MSG& message) {
  if (message.message == WM_LBUTTONDOWN && message.hwnd == text_ && text_) FollowClickedUnit();
}

bool EditorMainWindow::OnPaint(WPARAM, LPARAM, LRESULT& result) {
  PAINTSTRUCT paint;
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  result = 0;
  return true;
}

bool EditorMainWindow::OnEraseBackground(WPARAM, LPARAM, LRESULT& result) {
  // The children cover the whole client area.
  result = 0;
  return true;
}

bool EditorMainWindow::OnClose(WPARAM, LPARAM, LRESULT& result) {
  RunExitProcedure();
  result = 0;
  return true;
}

bool EditorMainWindow::OnDestroy(WPARAM, LPARAM, LRESULT& result) {
  PostQuitMessage(0);
  result = 0;
  return true;
}

bool EditorMainWindow::OnMenuChar(WPARAM wParam, LPARAM, LRESULT& result) {
  if (!menuBar_.OpenByMnemonic(static_cast<char>(LOWORD(wParam)))) return false;
  result = MAKELRESULT(0, MNC_CLOSE);
  return true;
}

bool EditorMainWindow::OnNotify(WPARAM, LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || !text_ || header->hwndFrom != text_) return false;
  result = OnLyricsTextNotify(*header);
  return true;
}
