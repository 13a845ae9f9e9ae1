// The menu bar driven by real mouse and keyboard input (SendInput from a
// second thread) while the test's thread runs the message loop and the
// pop-up menus' own loops.
#include "editor/controls/menu_bar.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

#include "tools/bmp/picture_capture.h"

namespace {

constexpr UINT kQueryState = WM_APP + 1;
constexpr UINT kSetCursor = WM_APP + 2;
constexpr int kBarHeight = 24;

// What the owner saw; written on the window thread, read by the input one.
MenuBar* testBar = nullptr;
std::atomic<UINT> lastCommand{0};
std::atomic<HMENU> lastPopup{nullptr};
std::atomic<int> popupCount{0};

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MENUCHAR:
      if (testBar->OpenByMnemonic(static_cast<char>(LOWORD(wParam)))) return MNC_CLOSE << 16;
      break;
    case WM_COMMAND:
      lastCommand = LOWORD(wParam);
      return 0;
    case WM_INITMENUPOPUP:
      lastPopup = reinterpret_cast<HMENU>(wParam);
      ++popupCount;
      return 0;
    case kSetCursor:
      // While a pop-up is open X grants the pointer to this thread only.
      SetCursorPos(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case kQueryState:  // open and hot title, each plus one
      return MAKELRESULT(testBar->openItem() + 1, testBar->hotItem() + 1);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

BOOL CALLBACK NoteVisiblePopup(HWND hwnd, LPARAM result) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(result) = hwnd;
  return FALSE;
}

// The visible pop-up menu window of `thread`, or null.
HWND FindPopupMenu(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, NoteVisiblePopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

void SendMouse(DWORD flags, POINT screen = {0, 0}) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.dx =
      (screen.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy =
      (screen.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  SendInput(1, &input, sizeof input);
}

// Presses the keys in order and releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys) {
  INPUT inputs[6] = {};
  UINT count = 0;
  for (WORD key : keys) inputs[count++] = {INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}};
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    inputs[count++] = {INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}};
  }
  SendInput(count, inputs, sizeof(INPUT));
}

// Waits until the window thread has caught up with `condition`.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 500 && !condition(); ++i) Sleep(10);
  return condition();
}

COLORREF PixelAt(const Picture& picture, int x, int y) {
  const uint32_t rgb = picture.pixels[size_t(y) * picture.width + x];
  return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class MenuBarTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = instance_;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "MenuBarTestOwner";
    RegisterClassExA(&wc);
    testBar = &bar_;
    owner_ = CreateWindowExA(0, "MenuBarTestOwner", "Menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 640, 400, nullptr, nullptr, instance_, nullptr);
    ASSERT_NE(owner_, nullptr);
    SetForegroundWindow(owner_);
    SetFocus(owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }

  void CreateBar(int width, int menu) {
    ASSERT_NE(bar_.CreateControl(instance_, owner_, {0, 0, width, kBarHeight}, 1002), nullptr);
    ASSERT_TRUE(bar_.LoadMenuBar(instance_, menu));
    UpdateWindow(bar_.window());
  }

  // The left edge (centre = false) or the centre of a title on the screen.
  POINT Title(int index, bool centre = true) const {
    POINT at = {centre ? bar_.item(index).width / 2 : 0, centre ? kBarHeight / 2 : 0};
    for (int i = 0; i < index; ++i) at.x += bar_.item(i).width;
    ClientToScreen(bar_.window(), &at);
    return at;
  }

  // Moves the pointer itself too, so that windows appearing under it see
  // the new position.
  void MoveTo(POINT screen) {
    SendMessageA(owner_, kSetCursor, static_cast<WPARAM>(screen.x), screen.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
  }
  void Click() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
  }
  bool StateIs(int open, int hot) {
    return WaitFor([&] {
      DWORD_PTR state = 0;
      SendMessageTimeoutA(owner_, kQueryState, 0, 0, SMTO_NORMAL, 5000, &state);
      return static_cast<LRESULT>(state) == MAKELRESULT(open + 1, hot + 1);
    });
  }

  // Runs `script` on a second thread while this thread dispatches messages.
  void RunWithInput(const std::function<void()>& script) {
    std::atomic<bool> done{false};
    const DWORD windowThread = GetCurrentThreadId();
    std::thread input([&] {
      script();
      // A script that stopped early may leave a pop-up open.
      for (int i = 0; i < 50 && FindPopupMenu(windowThread); ++i) {
        PostMessageA(bar_.window(), WM_CANCELMODE, 0, 0);
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

  HINSTANCE instance_ = GetModuleHandleA(nullptr);
  HWND owner_ = nullptr;
  MenuBar bar_;
};

TEST_F(MenuBarTest, OpensSlidesClosesAndPassesCommandsOn) {
  CreateBar(600, 128);
  HMENU menu = bar_.menu();
  const DWORD thread = GetCurrentThreadId();
  RunWithInput([&] {
    MoveTo(Title(0));
    EXPECT_TRUE(StateIs(-1, 0)) << "the title under the mouse is raised";
    Click();
    ASSERT_TRUE(StateIs(0, -1)) << "a click opens the title's pop-up";
    MoveTo(Title(1));
    ASSERT_TRUE(StateIs(1, -1)) << "the mouse slides to the next title";
    EXPECT_EQ(lastPopup.load(), GetSubMenu(menu, 1)) << "the owner initialises the pop-up";
    ASSERT_TRUE(WaitFor([&] { return FindPopupMenu(thread) != nullptr; }));

    // The open title is sunken; its pop-up hangs below it. A picture of
    // this is saved where KM_MENU_BAR_PICTURE says.
    Picture picture;
    HDC screen = GetDC(nullptr);
    CapturePicture(screen, 640, 400, picture);
    ReleaseDC(nullptr, screen);
    if (const char* path = std::getenv("KM_MENU_BAR_PICTURE")) WriteBitmapFile(path, picture);
    EXPECT_EQ(PixelAt(picture, Title(1, false).x, Title(1, false).y), GetSysColor(COLOR_BTNSHADOW));
    RECT popup = {};
    GetWindowRect(FindPopupMenu(thread), &popup);
    EXPECT_EQ(popup.left, Title(1, false).x);
    EXPECT_GE(popup.top, Title(1, false).y + kBarHeight);

    // Arrow keys slide too, but not past the first or the last title: the
    // key after such a press shows where the pop-up stayed.
    for (int title : {2, 1, 0}) {
      PressKeys({static_cast<WORD>(title > 1 ? VK_RIGHT : VK_LEFT)});
      ASSERT_TRUE(StateIs(title, -1));
    }
    PressKeys({VK_LEFT});
    for (int title = 1; title <= 5; ++title) {
      PressKeys({VK_RIGHT});
      ASSERT_TRUE(StateIs(title, -1));
    }
    PressKeys({VK_RIGHT});
    PressKeys({VK_LEFT});
    EXPECT_TRUE(StateIs(4, -1));

    // A second click on the open title closes it and leaves it raised.
    MoveTo(Title(4));
    Click();
    EXPECT_TRUE(StateIs(-1, 4));

    // A command chosen in a pop-up reaches the owner.
    MoveTo(Title(0));
    Click();
    RECT item;
    ASSERT_TRUE(StateIs(0, -1));
    ASSERT_TRUE(WaitFor([&] {
      return FindPopupMenu(thread) && GetMenuItemRect(nullptr, GetSubMenu(menu, 0), 1, &item);
    }));
    MoveTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    Click();
    EXPECT_TRUE(WaitFor([] { return lastCommand == 57601; }));

    // Alt and a mnemonic in either case, through the owner's WM_MENUCHAR.
    PressKeys({VK_MENU, 'E'});
    EXPECT_TRUE(StateIs(1, -1));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(StateIs(-1, -1));
    PressKeys({VK_MENU, VK_SHIFT, 'O'});
    EXPECT_TRUE(StateIs(4, -1));
    PressKeys({VK_ESCAPE});
  });
  EXPECT_FALSE(bar_.OpenByMnemonic('z'));
}

// Posts a click at client x; a pop-up that opens is closed at once by the
// WM_CANCELMODE behind it. Returns whether one opened.
bool ClickOpensPopup(HWND bar, int x) {
  const int before = popupCount;
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, kBarHeight / 2));
  PostMessageA(bar, WM_CANCELMODE, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  return popupCount != before;
}

TEST_F(MenuBarTest, ShowsTenTitlesAndOnlyThoseThatFit) {
  CreateBar(400, 129);  // twelve titles
  EXPECT_EQ(bar_.itemCount(), 10);
  const int first = bar_.item(0).width, second = bar_.item(1).width;
  MoveWindow(bar_.window(), 0, 0, first + second + second / 2, kBarHeight, TRUE);
  UpdateWindow(bar_.window());
  EXPECT_TRUE(ClickOpensPopup(bar_.window(), first + second / 2));
  EXPECT_FALSE(ClickOpensPopup(bar_.window(), first + second + 2)) << "the cut title";

  Picture picture;
  ASSERT_TRUE(CaptureWindowPicture(bar_.window(), picture));
  int drawnInSecond = 0, drawnBeyond = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = first; x < picture.width; ++x) {
      if (PixelAt(picture, x, y) == GetSysColor(COLOR_BTNFACE)) continue;
      ++(x < first + second ? drawnInSecond : drawnBeyond);
    }
  }
  EXPECT_GT(drawnInSecond, 0);
  EXPECT_EQ(drawnBeyond, 0) << "a title that does not fit is not drawn";
}

TEST_F(MenuBarTest, MeasuresAgainWhenTheMenuFontChanges) {
  CreateBar(600, 128);
  const int before = bar_.item(0).width;
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  NONCLIENTMETRICSA larger = metrics;
  larger.lfMenuFont.lfHeight = -40;
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &larger, 0));
  SendMessageA(bar_.window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_EQ(bar_.item(0).width, before) << "other settings leave the titles alone";
  SendMessageA(bar_.window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_GT(bar_.item(0).width, before * 3 / 2);
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &metrics, 0);
}

TEST_F(MenuBarTest, DestroyingTheBarDoesNotEndTheProgram) {
  CreateBar(600, 128);
  DestroyWindow(bar_.window());
  EXPECT_EQ(bar_.window(), nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  bar_.CheckItem(57600, true);  // the menu lives on with the object
  EXPECT_EQ(GetMenuState(bar_.menu(), 57600, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
}

}  // namespace
