// The menu bar driven by real mouse and keyboard input (SendInput) while
// the test's thread runs the message loop and the pop-up menus' own loops.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

#include "editor/controls/menu_bar.h"
#include "tools/bmp/picture_capture.h"

namespace {

constexpr int kEditorMenu = 128;
constexpr int kTwelveTitleMenu = 129;
constexpr UINT kQueryState = WM_APP + 1;
constexpr UINT kSetCursor = WM_APP + 2;
constexpr int kBarHeight = 24;

// What the owner window saw; written on the window thread, read by the
// input thread.
struct OwnerLog {
  std::atomic<UINT> lastCommand{0};
  std::atomic<HMENU> lastPopup{nullptr};
  std::atomic<int> popupCount{0};
};

MenuBar* ownerBar = nullptr;
OwnerLog* ownerLog = nullptr;
HWND inputOwner = nullptr;  // the window whose thread moves the pointer

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MENUCHAR:
      if (ownerBar && ownerBar->OpenByMnemonic(static_cast<char>(LOWORD(wParam)))) {
        return MAKELRESULT(0, MNC_CLOSE);
      }
      break;
    case WM_COMMAND:
      ownerLog->lastCommand = LOWORD(wParam);
      return 0;
    case WM_INITMENUPOPUP:
      ownerLog->lastPopup = reinterpret_cast<HMENU>(wParam);
      ++ownerLog->popupCount;
      return 0;
    case kSetCursor:
      // The pointer is grabbed while a pop-up is open, so only this thread
      // may move it under X.
      SetCursorPos(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case kQueryState:
      // Open and hot title, each plus one so that "none" is 0.
      return MAKELRESULT(ownerBar->openItem() + 1, ownerBar->hotItem() + 1);
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The visible pop-up menu window of `thread`, or null.
HWND FindPopupMenu(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND hwnd, LPARAM result) {
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class MenuBarTest : public testing::Test {
 protected:
  void SetUp() override {
    instance_ = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "MenuBarTestOwner";
    RegisterClassExA(&wc);
    ownerBar = &bar_;
    ownerLog = &log_;
    owner_ = CreateWindowExA(0, "MenuBarTestOwner", "Menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             0, 0, 640, 400, nullptr, nullptr, instance_, nullptr);
    ASSERT_NE(owner_, nullptr);
    SetForegroundWindow(owner_);
    SetFocus(owner_);
  }

  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
    ownerBar = nullptr;
    ownerLog = nullptr;
  }

  void CreateBar(int width, int menu) {
    const RECT rect = {0, 0, width, kBarHeight};
    ASSERT_NE(bar_.CreateControl(instance_, owner_, rect, 1002), nullptr);
    ASSERT_TRUE(bar_.LoadMenuBar(instance_, menu));
    UpdateWindow(bar_.window());
  }

  // The centre of title `index` on the screen.
  POINT TitleCentre(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i) left += bar_.item(i).width;
    POINT centre = {left + bar_.item(index).width / 2, kBarHeight / 2};
    ClientToScreen(bar_.window(), &centre);
    return centre;
  }

  // Runs `script` on a second thread while this thread dispatches messages,
  // the pop-up menus' loops included, until the script has finished.
  void RunWithInput(const std::function<void()>& script) {
    std::atomic<bool> done{false};
    const DWORD windowThread = GetCurrentThreadId();
    HWND bar = bar_.window();
    inputOwner = owner_;
    std::thread input([&] {
      script();
      // A script that stopped early may leave a pop-up open; close it so
      // that this thread's loop ends.
      for (int i = 0; i < 50 && FindPopupMenu(windowThread); ++i) {
        PostMessageA(bar, WM_CANCELMODE, 0, 0);
        Sleep(20);
      }
      done = true;
      PostThreadMessageA(windowThread, WM_NULL, 0, 0);
    });
    MSG msg;
    while (!done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    input.join();
  }

  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  MenuBar bar_;
  OwnerLog log_;
};

// ---- input, from the input thread ----

void SendMouse(DWORD flags, POINT screen = {0, 0}) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
  }
  SendInput(1, &input, sizeof input);
}

// Under X the pointer itself moves too, so that windows appearing under it
// report the new position.
void MoveTo(POINT screen) {
  SendMessageA(inputOwner, kSetCursor, static_cast<WPARAM>(screen.x), screen.y);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
}

void Click() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

// Presses the keys in order and releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys) {
  INPUT inputs[8] = {};
  int count = 0;
  for (WORD key : keys) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count++].ki.wVk = key;
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count].ki.wVk = *key;
    inputs[count++].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
}

// Waits until the window thread has caught up with `condition`; false when
// it never does.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return false;
}

struct BarState {
  int open;
  int hot;
};

BarState QueryState(HWND owner) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(owner, kQueryState, 0, 0, SMTO_NORMAL, 5000, &result);
  return {static_cast<int>(LOWORD(result)) - 1, static_cast<int>(HIWORD(result)) - 1};
}

bool StateIs(HWND owner, int open, int hot) {
  return WaitFor([&] {
    const BarState state = QueryState(owner);
    return state.open == open && state.hot == hot;
  });
}

COLORREF PixelAt(const Picture& picture, POINT at) {
  const uint32_t rgb = picture.pixels[size_t(at.y) * picture.width + at.x];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Captures the owner's area of the screen; saves it when the environment
// names a file for it.
Picture CaptureScreenArea(HWND owner) {
  RECT area;
  GetWindowRect(owner, &area);
  Picture picture;
  HDC screen = GetDC(nullptr);
  CapturePicture(screen, area.right, area.bottom, picture);
  ReleaseDC(nullptr, screen);
  if (const char* path = std::getenv("KM_MENU_BAR_PICTURE")) WriteBitmapFile(path, picture);
  return picture;
}

TEST_F(MenuBarTest, MouseAndArrowKeysSlideBetweenOpenPopups) {
  CreateBar(600, kEditorMenu);
  HMENU menu = bar_.menu();
  RunWithInput([&] {
    MoveTo(TitleCentre(0));
    EXPECT_TRUE(StateIs(owner_, -1, 0)) << "the title under the mouse is raised";

    Click();
    ASSERT_TRUE(StateIs(owner_, 0, -1)) << "a click opens the title's pop-up";
    EXPECT_TRUE(WaitFor([&] { return log_.lastPopup == GetSubMenu(menu, 0); }));

    MoveTo(TitleCentre(1));
    ASSERT_TRUE(StateIs(owner_, 1, -1)) << "the mouse slides to the next title";
    EXPECT_TRUE(WaitFor([&] { return log_.lastPopup == GetSubMenu(menu, 1); }));

    // The open title is drawn sunken and the pop-up hangs below the bar.
    Picture picture = CaptureScreenArea(owner_);
    POINT cellCorner = TitleCentre(1);
    cellCorner.x -= bar_.item(1).width / 2;
    cellCorner.y -= kBarHeight / 2;
    EXPECT_EQ(PixelAt(picture, cellCorner), GetSysColor(COLOR_BTNSHADOW));
    HWND popup = FindPopupMenu(GetWindowThreadProcessId(owner_, nullptr));
    ASSERT_NE(popup, nullptr);
    RECT popupRect;
    GetWindowRect(popup, &popupRect);
    EXPECT_GE(popupRect.top, cellCorner.y + kBarHeight);
    EXPECT_EQ(popupRect.left, cellCorner.x);

    PressKeys({VK_RIGHT});
    EXPECT_TRUE(StateIs(owner_, 2, -1));
    PressKeys({VK_LEFT});
    EXPECT_TRUE(StateIs(owner_, 1, -1));
    PressKeys({VK_LEFT});
    EXPECT_TRUE(StateIs(owner_, 0, -1));
    // Left at the first title stays there: the next Right reaches title 1.
    PressKeys({VK_LEFT});
    PressKeys({VK_RIGHT});
    EXPECT_TRUE(StateIs(owner_, 1, -1));
    for (int title = 2; title <= 5; ++title) {
      PressKeys({VK_RIGHT});
      ASSERT_TRUE(StateIs(owner_, title, -1));
    }
    // Right at the last title stays there: the next Left reaches title 4.
    PressKeys({VK_RIGHT});
    PressKeys({VK_LEFT});
    EXPECT_TRUE(StateIs(owner_, 4, -1));

    // A second click on the open title closes it and leaves it raised.
    MoveTo(TitleCentre(4));
    Click();
    EXPECT_TRUE(StateIs(owner_, -1, 4));
    EXPECT_EQ(FindPopupMenu(GetWindowThreadProcessId(owner_, nullptr)), nullptr);
  });
}

TEST_F(MenuBarTest, CommandsReachTheOwnerAndMnemonicsOpenInEitherCase) {
  CreateBar(600, kEditorMenu);
  HMENU menu = bar_.menu();
  RunWithInput([&] {
    MoveTo(TitleCentre(0));
    Click();
    ASSERT_TRUE(StateIs(owner_, 0, -1));
    RECT item;
    ASSERT_TRUE(WaitFor([&] { return GetMenuItemRect(nullptr, GetSubMenu(menu, 0), 1, &item); }));
    MoveTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    Click();
    EXPECT_TRUE(WaitFor([&] { return log_.lastCommand == 57601; })) << "Open... reaches the owner";
    EXPECT_TRUE(WaitFor([&] { return QueryState(owner_).open == -1; }));

    // Alt+e opens Edit, Alt+Shift+O opens Options, each through the owner's
    // WM_MENUCHAR; Escape closes the pop-up.
    PressKeys({VK_MENU, 'E'});
    EXPECT_TRUE(StateIs(owner_, 1, -1));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(StateIs(owner_, -1, -1));
    PressKeys({VK_MENU, VK_SHIFT, 'O'});
    EXPECT_TRUE(StateIs(owner_, 4, -1));
    EXPECT_TRUE(WaitFor([&] { return log_.lastPopup == GetSubMenu(menu, 4); }));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(StateIs(owner_, -1, -1));
  });
  EXPECT_FALSE(bar_.OpenByMnemonic('z'));
}

// Posts a click at client x; a pop-up that opens is closed again at once by
// the WM_CANCELMODE behind it. Returns whether one opened.
bool ClickOpensPopup(HWND bar, int x, const OwnerLog& log) {
  const int before = log.popupCount;
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, kBarHeight / 2));
  PostMessageA(bar, WM_CANCELMODE, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  return log.popupCount != before;
}

TEST_F(MenuBarTest, ShowsTenTitlesAndOnlyThoseThatFit) {
  CreateBar(400, kTwelveTitleMenu);
  EXPECT_EQ(bar_.itemCount(), 10);
  const int first = bar_.item(0).width;
  const int second = bar_.item(1).width;
  MoveWindow(bar_.window(), 0, 0, first + second + second / 2, kBarHeight, TRUE);
  UpdateWindow(bar_.window());

  EXPECT_TRUE(ClickOpensPopup(bar_.window(), first + second / 2, log_));
  EXPECT_FALSE(ClickOpensPopup(bar_.window(), first + second + 2, log_))
      << "a title cut off by the edge is not clickable";

  Picture picture;
  ASSERT_TRUE(CaptureWindowPicture(bar_.window(), picture));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  bool cutTitleDrawn = false;
  bool secondTitleDrawn = false;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = first; x < picture.width; ++x) {
      const bool differs = PixelAt(picture, {x, y}) != face;
      if (x >= first + second) cutTitleDrawn |= differs;
      else secondTitleDrawn |= differs;
    }
  }
  EXPECT_TRUE(secondTitleDrawn);
  EXPECT_FALSE(cutTitleDrawn);
}

TEST_F(MenuBarTest, MeasuresAgainWhenTheMenuFontChanges) {
  CreateBar(600, kEditorMenu);
  const int before = bar_.item(0).width;
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  const NONCLIENTMETRICSA saved = metrics;
  metrics.lfMenuFont.lfHeight = metrics.lfMenuFont.lfHeight < 0 ? -40 : 40;
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &metrics, 0));

  SendMessageA(bar_.window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_EQ(bar_.item(0).width, before) << "other settings do not measure again";
  SendMessageA(bar_.window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  const int after = bar_.item(0).width;
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, const_cast<NONCLIENTMETRICSA*>(&saved), 0);

  // "File" without its "&", then "NN", in the new font.
  HDC dc = GetDC(bar_.window());
  HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32A(dc, "FileNN", 6, &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(bar_.window(), dc);
  EXPECT_GT(after, before);
  EXPECT_EQ(after, size.cx);
}

TEST_F(MenuBarTest, DestroyingTheBarDoesNotEndTheProgram) {
  CreateBar(600, kEditorMenu);
  DestroyWindow(bar_.window());
  EXPECT_EQ(bar_.window(), nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(IsWindow(owner_));
  // The menu outlives the window; the object may still change it.
  bar_.CheckItem(57600, true);
  EXPECT_EQ(GetMenuState(bar_.menu(), 57600, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
}

}  // namespace
