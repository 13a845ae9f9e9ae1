// kmedit.exe as a user starts and uses it: one instance, the frame's
// smallest size, the child windows and their layout, the caret status, the
// exit with its prompt and stored settings, and the keys that belong to the
// main window rather than to the text.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "editor/editor_ids.h"
#include "editor/tests/harness/clipboard_text.h"
#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/user_input.h"
#include "editor/tests/harness/window_queries.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr char kSettingsKey[] = "Software\\Kamiru";

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(editor_.Start(KMEDIT_PATH)) << GetLastError();
    main_ = editor_.WaitForMainWindow(kTimeoutMs);
    ASSERT_NE(main_, nullptr);
    text_ = FindDescendant(main_, IDC_LYRICS_TEXT);
    status_ = FindDescendant(main_, IDC_STATUS_BAR);
    ASSERT_NE(text_, nullptr);
    ASSERT_NE(status_, nullptr);
  }
  void TearDown() override { editor_.CloseDiscardingChanges(kTimeoutMs); }

  std::string StatusPart(int part) { return StatusBarText(editor_.handle(), status_, part); }
  void Select(int start, int end) { SendMessageA(text_, EM_SETSEL, start, end); }

  EditorProcess editor_;
  HWND main_ = nullptr;
  HWND text_ = nullptr;
  HWND status_ = nullptr;
};

RECT ClientRect(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return rect;
}

void ExpectRect(HWND window, HWND ancestor, LONG left, LONG top, LONG right, LONG bottom,
                const char* what) {
  const RECT rect = RectInClient(window, ancestor);
  EXPECT_EQ(rect.left, left) << what;
  EXPECT_EQ(rect.top, top) << what;
  EXPECT_EQ(rect.right, right) << what;
  EXPECT_EQ(rect.bottom, bottom) << what;
}

// The layout of the main window's children for its present client size.
void ExpectLayout(HWND main) {
  const RECT client = ClientRect(main);
  const LONG w = client.right;
  const int menu = std::min(50, std::max(23, GetSystemMetrics(SM_CYMENUSIZE)));
  const LONG top = menu + 54;
  HWND status = FindDescendant(main, IDC_STATUS_BAR);
  const RECT statusRect = RectInClient(status, main);
  EXPECT_EQ(statusRect.bottom, client.bottom);
  EXPECT_EQ(statusRect.right - statusRect.left, w);
  ExpectRect(FindDescendant(main, IDC_TOP_BANDS), main, 0, 0, w, top, "top bands");
  ExpectRect(FindDescendant(main, IDC_PREVIEW_HOST), main, 0, top, w, top + 204, "preview");
  ExpectRect(FindDescendant(main, IDC_LOWER_BANDS), main, 0, top + 204, w, top + 231,
             "lower bands");
  ExpectRect(FindDescendant(main, IDC_LYRICS_TEXT), main, 0, top + 231, w, statusRect.top,
             "lyrics text");
  // Inside the top container: the menu band, the audio toolbar, and the
  // position bar with the 105 pixels wide time display at its right.
  HWND bands = FindDescendant(main, IDC_TOP_BANDS);
  ExpectRect(FindDescendant(main, IDC_MENU_BAR), bands, 2, 2, w - 2, 2 + menu, "menu bar");
  ExpectRect(FindDescendant(main, IDC_AUDIO_TOOLBAR), bands, 2, menu + 4, w - 2, menu + 27,
             "audio toolbar");
  ExpectRect(FindDescendant(main, IDC_POSITION_BAR), bands, 2, menu + 29, w - 2 - 105 - 1,
             menu + 52, "position bar");
  ExpectRect(FindDescendant(main, IDC_TIME_DISPLAY), bands, w - 2 - 105, menu + 29, w - 2,
             menu + 52, "time display");
  ExpectRect(FindDescendant(main, IDC_EDIT_TOOLBAR), FindDescendant(main, IDC_LOWER_BANDS), 2, 2,
             w - 2, 25, "edit toolbar");
}

TEST_F(EditorTest, ChildWindowsHaveTheirIdsClassesAndLayout) {
  const struct {
    int id;
    const char* className;
    int parentId;  // 0: the main window
  } kChildren[] = {
      {IDC_TOP_BANDS, "KMEditCRWnd", 0},       {IDC_LOWER_BANDS, "KMEditCRWnd", 0},
      {IDC_MENU_BAR, "KMEditCMWnd", 1000},     {IDC_AUDIO_TOOLBAR, "KMEditCBWnd", 1000},
      {IDC_EDIT_TOOLBAR, "KMEditCBWnd", 1001}, {IDC_POSITION_BAR, "KMEditCPWnd", 1000},
      {IDC_TIME_DISPLAY, "KMEditCTWnd", 1000}, {IDC_PREVIEW_HOST, "KMEditCVWnd", 0},
      {IDC_LYRICS_TEXT, "RichEdit20A", 0},     {IDC_STATUS_BAR, "msctls_statusbar32", 0},
  };
  for (const auto& child : kChildren) {
    HWND window = FindDescendant(main_, child.id);
    ASSERT_NE(window, nullptr) << child.id;
    EXPECT_EQ(WindowClassName(window), child.className) << child.id;
    EXPECT_EQ(GetParent(window), child.parentId ? FindDescendant(main_, child.parentId) : main_)
        << child.id;
    EXPECT_TRUE(IsWindowVisible(window)) << child.id;
  }
  EXPECT_EQ(GetMenu(main_), nullptr);
  EXPECT_EQ(WindowTextOf(main_), "Kamiru Editor ");
  ExpectLayout(main_);

  // The layout follows the window's size, with the status bar's parts.
  SetWindowPos(main_, nullptr, 0, 0, 800, 640, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  ExpectLayout(main_);
  int edges[3] = {};
  RemoteBuffer buffer(editor_.handle(), sizeof edges);
  ASSERT_EQ(SendMessageA(status_, SB_GETPARTS, 3, buffer.lParam()), 3);
  ASSERT_TRUE(buffer.Read(edges, sizeof edges));
  const LONG w = ClientRect(main_).right;
  EXPECT_EQ(edges[0], w - 220);
  EXPECT_EQ(edges[1], w - 120);
  EXPECT_EQ(edges[2], w - 18);
}

TEST_F(EditorTest, FrameCannotBeMadeSmallerThan410By410) {
  SetWindowPos(main_, nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  RECT rect = {};
  GetWindowRect(main_, &rect);
  EXPECT_EQ(rect.right - rect.left, 410);
  EXPECT_EQ(rect.bottom - rect.top, 410);
  SetWindowPos(main_, nullptr, 0, 0, 500, 420, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  GetWindowRect(main_, &rect);
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 420);
}

TEST_F(EditorTest, StatusShowsLyricsLineAndColumnAndIsBlankInTheHeader) {
  // The caret starts after the header, on the first lyrics line.
  EXPECT_EQ(RichEditSelection(editor_.handle(), text_).cpMin, 35);
  EXPECT_EQ(StatusPart(0), "");
  EXPECT_EQ(StatusPart(1), "1");
  EXPECT_EQ(StatusPart(2), "1");
  for (int headerPosition : {0, 7, 10, 30, 34}) {
    Select(headerPosition, headerPosition);
    EXPECT_EQ(StatusPart(1), "") << headerPosition;
    EXPECT_EQ(StatusPart(2), "") << headerPosition;
  }
  Select(35, 35);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("la la\rsing"));
  EXPECT_EQ(StatusPart(1), "2");
  EXPECT_EQ(StatusPart(2), "5");
  Select(38, 38);
  EXPECT_EQ(StatusPart(1), "1");
  EXPECT_EQ(StatusPart(2), "4");
}

std::vector<BYTE> StoredEditorSettings() {
  std::vector<BYTE> value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return value;
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, "EP", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_BINARY) {
    value.resize(size);
    RegQueryValueExA(key, "EP", nullptr, &type, value.data(), &size);
  }
  RegCloseKey(key);
  return value;
}

TEST_F(EditorTest, ExitStoresTheWindowRectangleAndTheNextStartUsesIt) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, "EP");
    RegCloseKey(key);
  }
  const RECT placed = {50, 60, 50 + 640, 60 + 470};
  SetWindowPos(main_, nullptr, placed.left, placed.top, placed.right - placed.left,
               placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(main_, WM_COMMAND, ID_APP_EXIT, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(editor_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);

  const std::vector<BYTE> stored = StoredEditorSettings();
  ASSERT_EQ(stored.size(), 932u);
  RECT rect;
  std::memcpy(&rect, stored.data(), sizeof rect);
  EXPECT_EQ(rect.left, placed.left);
  EXPECT_EQ(rect.top, placed.top);
  EXPECT_EQ(rect.right, placed.right);
  EXPECT_EQ(rect.bottom, placed.bottom);

  EditorProcess next;
  ASSERT_TRUE(next.Start(KMEDIT_PATH));
  ASSERT_NE(next.WaitForMainWindow(kTimeoutMs), nullptr);
  GetWindowRect(next.mainWindow(), &rect);
  EXPECT_EQ(rect.left, placed.left);
  EXPECT_EQ(rect.top, placed.top);
  EXPECT_EQ(rect.right, placed.right);
  EXPECT_EQ(rect.bottom, placed.bottom);
  EXPECT_TRUE(next.CloseDiscardingChanges(kTimeoutMs));
}

// A file that is not audio cannot be played; its folder is still the one
// the next Audio Open starts in, and the exit stores it.
TEST_F(EditorTest, AudioOpenOfAFileThatIsNotAudioSaysSoAndRemembersItsFolder) {
  PostMessageA(main_, WM_COMMAND, ID_AUDIO_OPEN, 0);
  HWND dialog = editor_.WaitForDialog(kTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(EnterDialogFileName(dialog, "C:\\windows\\win.ini"));
  ASSERT_TRUE(ClickDialogButton(dialog, IDOK));
  HWND message = editor_.WaitForDialog(kTimeoutMs, dialog);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(DialogStaticText(message), "Cannot play the file.");
  EXPECT_EQ(WindowTextOf(message), "Kamiru Editor");
  ASSERT_TRUE(ClickDialogButton(message, IDOK));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(message); }));
  EXPECT_EQ(WindowTextOf(main_), "Kamiru Editor ");

  PostMessageA(main_, WM_COMMAND, ID_APP_EXIT, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(editor_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  const std::vector<BYTE> stored = StoredEditorSettings();
  ASSERT_EQ(stored.size(), 932u);
  EXPECT_STREQ(reinterpret_cast<const char*>(stored.data() + 152), "C:\\windows");
}

TEST_F(EditorTest, ExitAsksToSaveChangesAndStaysOpenUnlessTheAnswerIsNo) {
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("Twinkle"));
  const std::string edited = WindowTextOf(text_);

  // Cancel: nothing happens.
  PostMessageA(main_, WM_CLOSE, 0, 0);
  HWND prompt = editor_.WaitForDialog(kTimeoutMs);
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(WindowTextOf(prompt), "Kamiru Editor");
  EXPECT_EQ(DialogStaticText(prompt), "Save changes to lyrics file?");
  ASSERT_TRUE(ClickDialogButton(prompt, IDCANCEL));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(prompt); }));
  EXPECT_TRUE(editor_.IsRunning());
  EXPECT_EQ(WindowTextOf(text_), edited);

  // Yes asks where to save; cancelling that is a failed save: still open.
  PostMessageA(main_, WM_COMMAND, ID_APP_EXIT, 0);
  prompt = editor_.WaitForDialog(kTimeoutMs);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(ClickDialogButton(prompt, IDYES));
  HWND saveAs = editor_.WaitForDialog(kTimeoutMs, prompt);
  ASSERT_NE(saveAs, nullptr);
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(prompt); }));
  ASSERT_TRUE(ClickDialogButton(saveAs, IDCANCEL));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(saveAs); }));
  EXPECT_TRUE(editor_.IsRunning());
  EXPECT_EQ(WindowTextOf(text_), edited);

  // No: the editor ends normally.
  PostMessageA(main_, WM_CLOSE, 0, 0);
  prompt = editor_.WaitForDialog(kTimeoutMs);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(ClickDialogButton(prompt, IDNO));
  DWORD exitCode = 1;
  ASSERT_TRUE(editor_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

LONG ParagraphIndent(HANDLE process, HWND text) {
  PARAFORMAT format = {};
  format.cbSize = sizeof format;
  RemoteBuffer buffer(process, sizeof format);
  buffer.Write(&format, sizeof format);
  SendMessageA(text, EM_GETPARAFORMAT, 0, buffer.lParam());
  buffer.Read(&format, sizeof format);
  return format.dxStartIndent;
}

// Close is New: both ask while there are changes, then show the bare header
// as the editor started with it; without changes they ask nothing.
TEST_F(EditorTest, CloseAndNewAskThenStartOverWithTheHeader) {
  const std::string bare = WindowTextOf(text_);
  const LONG indent = ParagraphIndent(editor_.handle(), text_);
  EXPECT_GT(indent, 0);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("Up above\rthe world"));
  const std::string edited = WindowTextOf(text_);

  for (int command : {ID_FILE_CLOSE, ID_FILE_NEW}) {
    PostMessageA(main_, WM_COMMAND, command, 0);
    HWND prompt = editor_.WaitForDialog(kTimeoutMs);
    ASSERT_NE(prompt, nullptr) << command;
    EXPECT_EQ(DialogStaticText(prompt), "Save changes to lyrics file?");
    ASSERT_TRUE(ClickDialogButton(prompt, IDCANCEL));
    ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(prompt); }));
    EXPECT_EQ(WindowTextOf(text_), edited) << command;
  }
  PostMessageA(main_, WM_COMMAND, ID_FILE_CLOSE, 0);
  HWND prompt = editor_.WaitForDialog(kTimeoutMs);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(ClickDialogButton(prompt, IDNO));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return WindowTextOf(text_) == bare; }));
  EXPECT_EQ(RichEditSelection(editor_.handle(), text_).cpMin, 35);
  EXPECT_EQ(StatusPart(1), "1");
  EXPECT_EQ(ParagraphIndent(editor_.handle(), text_), indent);

  // Nothing to lose now: New runs at once (a prompt would hold the call).
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutA(main_, WM_COMMAND, ID_FILE_NEW, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                                &result),
            0);
  EXPECT_EQ(FindProcessWindow(editor_.id(), "#32770"), nullptr);
}

TEST_F(EditorTest, SecondStartRestoresTheFirstWindowAndEndsWithZero) {
  ShowWindow(main_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return IsIconic(main_); }));

  EditorProcess second;
  ASSERT_TRUE(second.Start(KMEDIT_PATH));
  DWORD exitCode = 1;
  bool sawWindow = false;
  const bool ended = WaitFor(kTimeoutMs, [&] {
    sawWindow = sawWindow || FindProcessWindow(second.id(), nullptr) != nullptr;
    return second.WaitForExit(0, &exitCode);
  });
  ASSERT_TRUE(ended);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(sawWindow);
  EXPECT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsIconic(main_); }));
  EXPECT_TRUE(editor_.IsRunning());
}

// The menus have no window menu behind them: Alt and a title's mnemonic
// reach the main window as WM_MENUCHAR, which opens that title's pop-up
// under its title.
TEST_F(EditorTest, AltAndAMnemonicOpenThatMenu) {
  ASSERT_TRUE(BringToForeground(main_));
  RECT bar = {};
  GetWindowRect(FindDescendant(main_, IDC_MENU_BAR), &bar);
  RECT popups[2] = {};
  const WORD keys[2] = {'F', 'T'};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(PressKeys({VK_MENU, keys[i]}));
    HWND popup = WaitFor(kTimeoutMs, [&] { return FindProcessWindow(editor_.id(), "#32768"); });
    ASSERT_NE(popup, nullptr) << keys[i];
    GetWindowRect(popup, &popups[i]);
    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindowVisible(popup); }));
  }
  EXPECT_EQ(popups[0].left, bar.left);
  EXPECT_EQ(popups[0].top, bar.bottom);
  EXPECT_GT(popups[1].left, popups[0].left + 100);
  EXPECT_EQ(popups[1].top, bar.bottom);
}

// The text of the tool a tooltip window shows, read inside the editor.
std::string ShownTooltipText(HANDLE process, HWND tooltip) {
  struct Block {
    TOOLINFOA tool;
    char text[256];
  } block = {};
  RemoteBuffer buffer(process, sizeof block);
  block.tool.cbSize = sizeof block.tool;
  if (!buffer.Write(&block, sizeof block) ||
      !SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, buffer.lParam()) ||
      !buffer.Read(&block, sizeof block)) {
    return std::string();
  }
  block.tool.lpszText = reinterpret_cast<char*>(buffer.lParam() + offsetof(Block, text));
  buffer.Write(&block, sizeof block);
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof block.text, buffer.lParam());
  buffer.Read(&block, sizeof block);
  block.text[sizeof block.text - 1] = '\0';
  return block.text;
}

// While nothing plays, the mouse over a toolbar button reaches the toolbar's
// tooltip through the main window's message loop; the tip is the command's
// string.
TEST_F(EditorTest, ToolbarButtonsShowTheirCommandsStringAsTooltip) {
  ASSERT_TRUE(BringToForeground(main_));
  HWND toolbar = FindDescendant(main_, IDC_EDIT_TOOLBAR);
  // Open, Save, a separator, then Copy: its middle.
  POINT copy = {32 + 32 + 6 + 16, 11};
  ClientToScreen(toolbar, &copy);
  ASSERT_TRUE(MoveMouseTo({copy.x - 4, copy.y}));
  ASSERT_TRUE(MoveMouseTo(copy));
  HWND tip = WaitFor(kTimeoutMs, [&] {
    HWND shown = FindProcessWindow(editor_.id(), "tooltips_class32");
    return shown && !ShownTooltipText(editor_.handle(), shown).empty() ? shown : nullptr;
  });
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(ShownTooltipText(editor_.handle(), tip), "Copy");
}

// The clipboard keys are the main window's: its Paste keeps a header value
// on one line and its Copy gives plain text only, where the text window
// would paste both lines and copy its formatting too.
TEST_F(EditorTest, ClipboardKeysReachTheMainWindowsCommands) {
  const UINT richText = RegisterClipboardFormatA("Rich Text Format");
  ASSERT_TRUE(BringToForeground(main_));
  ASSERT_TRUE(PutClipboardText(nullptr, "Little Star\r\nHow I wonder"));
  Select(7, 7);
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'V'}));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return WindowTextOf(text_).size() > 40; }));
  const std::string text = WindowTextOf(text_);
  EXPECT_EQ(text.substr(0, 19), "Title: Little Star\r") << text;
  EXPECT_EQ(text.find("wonder"), std::string::npos) << text;

  Select(0, 5);
  DWORD sequence = GetClipboardSequenceNumber();
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'C'}));
  ASSERT_TRUE(WaitForClipboardChange(sequence, kTimeoutMs));
  EXPECT_EQ(ClipboardText(nullptr), "Title");
  EXPECT_FALSE(IsClipboardFormatAvailable(richText));
  EXPECT_EQ(WindowTextOf(text_), text);

  // The text window's own copy, for comparison, adds its formatting.
  SendMessageA(text_, WM_COPY, 0, 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(richText));
}

}  // namespace
