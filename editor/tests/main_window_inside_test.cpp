// The main window created inside the test program (the editor's resources
// are linked in, so it is the real one): its accelerators, and its layout
// after the system's menu height changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editor/editor_ids.h"
#include "editor/main_window.h"
#include "editor/tests/harness/window_queries.h"

namespace {

std::vector<WPARAM> commands;
WNDPROC mainWindowProc = nullptr;

// Records the commands instead of carrying them out.
LRESULT CALLBACK RecordCommands(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    commands.push_back(wParam);
    return 0;
  }
  return CallWindowProcA(mainWindowProc, hwnd, message, wParam, lParam);
}

void SetControlKey(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Every accelerator, aimed at the lyrics text as a user types it, is
// consumed before the text window sees it and arrives at the main window as
// its command (WM_COMMAND with code 1).
TEST(MainWindowInside, KeysAimedAtTheTextBecomeMainWindowCommands) {
  HMODULE richEdit = LoadLibraryA("riched20.dll");
  ASSERT_NE(richEdit, nullptr);
  {
    EditorMainWindow editor;
    ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
    ShowWindow(editor.window(), SW_SHOW);
    mainWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        editor.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));

    const struct {
      bool control;
      WORD key;
      int command;
    } kKeys[] = {
        {true, 'N', ID_FILE_NEW},         {true, 'O', ID_FILE_OPEN},
        {true, 'S', ID_FILE_SAVE},        {true, 'Z', ID_EDIT_UNDO},
        {true, 'Y', ID_EDIT_REDO},        {true, 'X', ID_EDIT_CUT},
        {true, 'C', ID_EDIT_COPY},        {true, 'V', ID_EDIT_PASTE},
        {true, 'D', ID_SET_SYNCPOINT},    {true, 'F', ID_REMOVE_SYNCPOINT},
        {true, 'P', ID_AUDIO_PLAY},       {true, 'U', ID_AUDIO_PAUSE},
        {true, 'T', ID_AUDIO_STOP},       {true, 'K', ID_AUDIO_PLAY_XX},
        {true, 'L', ID_AUDIO_PLAY_X},     {false, VK_F1, ID_HELP_TOPICS},
    };
    for (const auto& key : kKeys) {
      commands.clear();
      SetControlKey(key.control);
      MSG message = {editor.lyricsText(), WM_KEYDOWN, key.key, 1, 0, {}};
      EXPECT_TRUE(editor.PreTranslateMessage(message)) << key.command;
      ASSERT_EQ(commands.size(), 1u) << key.command;
      EXPECT_EQ(LOWORD(commands[0]), key.command);
      EXPECT_EQ(HIWORD(commands[0]), 1);
    }
    // Plain letters and the keys without Ctrl stay with the text.
    for (WORD key : {WORD('C'), WORD('V'), WORD('Z'), WORD(VK_F2)}) {
      commands.clear();
      SetControlKey(false);
      MSG message = {editor.lyricsText(), WM_KEYDOWN, key, 1, 0, {}};
      EXPECT_FALSE(editor.PreTranslateMessage(message)) << key;
      EXPECT_TRUE(commands.empty()) << key;
    }
    SetControlKey(false);
    SetWindowLongPtrA(editor.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainWindowProc));
  }
  FreeLibrary(richEdit);
}

int TopBandsHeight(HWND main) {
  const RECT rect = RectInClient(FindDescendant(main, IDC_TOP_BANDS), main);
  return rect.bottom - rect.top;
}

void SetMenuHeight(HWND main, int height) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.iMenuHeight = height;
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  SendMessageA(main, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
}

// The menu band follows the system's menu height within 23 to 50 pixels,
// and everything below the top bands moves with it.
TEST(MainWindowInside, MenuBandFollowsTheSystemMenuHeightWithinBounds) {
  HMODULE richEdit = LoadLibraryA("riched20.dll");
  ASSERT_NE(richEdit, nullptr);
  NONCLIENTMETRICSA saved = {};
  saved.cbSize = sizeof saved;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
  {
    EditorMainWindow editor;
    ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
    HWND main = editor.window();
    bool sawTall = false;
    bool sawShort = false;
    // The system keeps a menu at least as high as its font.
    for (int height : {60, 30, 10, 50, 23}) {
      SetMenuHeight(main, height);
      const int metric = GetSystemMetrics(SM_CYMENUSIZE);
      sawTall = sawTall || metric > 50;
      sawShort = sawShort || metric < 23;
      const int band = std::min(50, std::max(23, metric));
      EXPECT_EQ(TopBandsHeight(main), band + 54) << height;
      const RECT menu = RectInClient(FindDescendant(main, IDC_MENU_BAR), main);
      EXPECT_EQ(menu.bottom - menu.top, band) << height;
      EXPECT_EQ(RectInClient(FindDescendant(main, IDC_PREVIEW_HOST), main).top, band + 54);
      EXPECT_EQ(RectInClient(FindDescendant(main, IDC_LYRICS_TEXT), main).top, band + 54 + 231);
    }
    EXPECT_TRUE(sawTall && sawShort);
  }
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
  FreeLibrary(richEdit);
}

}  // namespace
