// Start, shutdown and the window state across Winamp sessions.
#include <cstring>

#include "winamp/tests/plugin_test_host.h"
#include "display/win32/display_settings_win32.h"
#include "winamp/window_state.h"

namespace {

void StoreWindowState(const LyricsWindowState& state) { ASSERT_TRUE(WriteWindowState(state)); }

void PressAltLeft(HWND window) {
  SetForegroundWindow(window);
  SetFocus(window);
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_MENU, VK_LEFT, VK_LEFT, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = (i >= 2 ? KEYEVENTF_KEYUP : 0) | (i == 1 || i == 2 ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  SendInput(4, keys, sizeof(INPUT));
}

TEST_F(PluginInHost, FirstStartShowsTheDefaultFrameOnceWithOneSetOfHooks) {
  Start();
  Record()->init();
  Pump(50);
  EXPECT_EQ(host_.embedCalls, 1);
  ASSERT_NE(LyricsHwnd(), nullptr);
  EXPECT_EQ(GetParent(LyricsHwnd()), Frame());
  RECT frame;
  GetWindowRect(Frame(), &frame);
  EXPECT_EQ(frame.left, 20);
  EXPECT_EQ(frame.top, 20);
  EXPECT_EQ(frame.right, 220);
  EXPECT_EQ(frame.bottom, 220);
  EXPECT_TRUE(IsWindowVisible(Frame()));
  char title[32] = {};
  GetWindowTextA(Frame(), title, sizeof title);
  EXPECT_STREQ(title, "Kamiru");
  EXPECT_EQ(Plugin().lyricsWindow.layout, 1);
  EXPECT_EQ(Plugin().lyricsWindow.display.layout, KaraokeLayout::OneLine);

  // No lyrics are shown, and one key press moves the offset by one step:
  // a second keyboard hook would count it twice.
  Plugin().timing = TimingOffset();
  PressAltLeft(host_.mainWindow);
  Pump(200);
  EXPECT_EQ(Plugin().timing.offset, 1);
  EXPECT_EQ(Plugin().timing.indicatorFrames, kOffsetIndicatorFrames);
}

TEST_F(PluginInHost, QuittingWithoutChangesWritesNothing) {
  Start();
  Quit();
  EXPECT_FALSE(SettingsKeyExists());

  const LyricsWindowState stored = {3, 40, 50, 440, 250, 1};
  StoreWindowState(stored);
  Start();
  EXPECT_EQ(Plugin().lyricsWindow.layout, 3);
  Quit();
  std::string bytes, settings;
  ASSERT_TRUE(ReadStoredValue("APP", bytes));
  EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(&stored), sizeof stored));
  EXPECT_FALSE(ReadStoredValue("LP", settings));
}

TEST_F(PluginInHost, LayoutAndFrameRectangleAreKeptForTheNextStart) {
  Start();
  SendMessageA(LyricsHwnd(), WM_COMMAND, 40005, 0);
  MoveWindow(Frame(), 60, 70, 300, 200, TRUE);
  Quit();
  Start();
  EXPECT_EQ(Plugin().lyricsWindow.layout, 4);
  EXPECT_EQ(Plugin().lyricsWindow.display.layout, KaraokeLayout::FiveLines);
  RECT frame;
  GetWindowRect(Frame(), &frame);
  EXPECT_EQ(frame.left, 60);
  EXPECT_EQ(frame.bottom, 270);
}

TEST_F(PluginInHost, RectangleOffTheDesktopGivesTheDefaults) {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  StoreWindowState({2, desktop.right + 10, 20, desktop.right + 210, 220, 1});
  Start();
  RECT frame;
  GetWindowRect(Frame(), &frame);
  EXPECT_EQ(frame.left, 20);
  EXPECT_EQ(frame.right, 220);
  EXPECT_EQ(Plugin().lyricsWindow.layout, 1);
}

TEST(WindowState, LiesOnTheDesktopWhenAnyPartOverlapsIt) {
  const RECT desktop = {0, 0, 1280, 1024};
  LyricsWindowState state = DefaultWindowState();
  EXPECT_TRUE(IsOnDesktop(state, desktop));
  state.left = 1278;
  state.right = 1500;
  EXPECT_TRUE(IsOnDesktop(state, desktop));
  state.left = 1279;  // only the last column: not enough to grab
  EXPECT_FALSE(IsOnDesktop(state, desktop));
  state = {1, -300, 20, 0, 220, 1};
  EXPECT_FALSE(IsOnDesktop(state, desktop));
  state.right = 1;
  EXPECT_TRUE(IsOnDesktop(state, desktop));
  state = {1, 20, 1023, 220, 1200, 1};
  EXPECT_FALSE(IsOnDesktop(state, desktop));
}

TEST_F(PluginInHost, StoredStateThatCannotBeTrustedIsNotUsed) {
  // A value of the wrong size.
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kamiru", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const int32_t shortValue[3] = {5, 100, 100};
  RegSetValueExA(key, "APP", 0, REG_BINARY, reinterpret_cast<const BYTE*>(shortValue),
                 sizeof shortValue);
  RegCloseKey(key);
  LyricsWindowState state = ReadWindowState();
  EXPECT_TRUE(SameWindowState(state, DefaultWindowState()));
  // A layout no menu offers.
  StoreWindowState({9, 40, 40, 300, 300, 0});
  state = ReadWindowState();
  EXPECT_EQ(state.layout, 1);
  EXPECT_EQ(state.left, 40);
  EXPECT_EQ(state.visible, 0);
}

TEST_F(PluginInHost, ClosedFrameStaysHiddenAndWinampOffersTheItem) {
  Start();
  SendMessageA(Frame(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_TRUE(IsWindow(LyricsHwnd()));
  Quit();
  std::string bytes;
  ASSERT_TRUE(ReadStoredValue("APP", bytes));
  ASSERT_EQ(bytes.size(), 24u);
  int32_t words[6];
  std::memcpy(words, bytes.data(), sizeof words);
  EXPECT_EQ(words[5], 0);

  Start();
  ASSERT_NE(LyricsHwnd(), nullptr);
  EXPECT_FALSE(IsWindowVisible(Frame()));
  AboutToOpen(MainPopup());
  EXPECT_EQ(GetMenuItemID(MainPopup(), 9), 60111u);
}

TEST_F(PluginInHost, ItemBeforeTheThirdSeparatorWhileHiddenShowsTheFrame) {
  Start();
  HMENU popup = MainPopup();
  const int items = GetMenuItemCount(popup);
  AboutToOpen(popup);
  EXPECT_EQ(GetMenuItemCount(popup), items) << "the frame is shown: no item";

  SendMessageA(LyricsHwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_EQ(Plugin().liveState.visible, 0);

  // Two separators only: nothing is added, and the real menu still gets it.
  HMENU small = CreatePopupMenu();
  AppendMenuA(small, MF_STRING, 1, "a");
  AppendMenuA(small, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(small, MF_STRING, 2, "b");
  AppendMenuA(small, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(small, MF_STRING, 3, "c");
  AboutToOpen(small);
  EXPECT_EQ(GetMenuItemCount(small), 5);
  HMENU empty = CreatePopupMenu();
  AboutToOpen(empty);
  EXPECT_EQ(GetMenuItemCount(empty), 0);
  DestroyMenu(small);
  DestroyMenu(empty);

  AboutToOpen(popup);
  AboutToOpen(popup);
  ASSERT_EQ(GetMenuItemCount(popup), items + 1);
  EXPECT_EQ(GetMenuItemID(popup, 9), 60111u);
  char text[32] = {};
  GetMenuStringA(popup, 9, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Kamiru");
  EXPECT_EQ(GetMenuItemID(popup, 10), 0u);

  // Picking it: Winamp's menu posts the command to its main window.
  PostMessageA(host_.mainWindow, WM_COMMAND, 60111, 0);
  Pump(50);
  EXPECT_TRUE(IsWindowVisible(Frame()));
  EXPECT_EQ(Plugin().liveState.visible, 1);
  AboutToOpen(popup);
  EXPECT_EQ(GetMenuItemCount(popup), items);
  EXPECT_FALSE(GetMenuStringA(popup, 60111, text, sizeof text, MF_BYCOMMAND));
}

}  // namespace

namespace {

bool nestedReturned = false;

// While the options are open, Winamp's preferences ask again, then the
// user presses OK.
void CALLBACK AnswerOptions(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowA("#32770", "Kamiru");
  if (!dialog) return;
  KillTimer(nullptr, id);
  Plugin().record.config();
  nestedReturned = true;
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(PluginInHost, OptionsFromWinampOpenOnceAndChangeNothingOnOk) {
  Start();
  nestedReturned = false;
  SetTimer(nullptr, 0, 100, AnswerOptions);
  Record()->config();
  EXPECT_TRUE(nestedReturned);
  EXPECT_FALSE(Plugin().optionsOpen);
  EXPECT_FALSE(ModuleDisplaySettings().changed);
  Quit();
  EXPECT_FALSE(SettingsKeyExists());
}

}  // namespace
