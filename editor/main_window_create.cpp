// WM_CREATE of the main window: the band containers and the preview strip,
// the lyrics text, the controls in their bands, the menu, the toolbar
// buttons, the header template in the text and the first command states.
// Any step that fails makes the window creation fail.
#include <windows.h>

#include <ole2.h>

#include <commctrl.h>
#include <richedit.h>

#include "editor/controls/toolbar_layout.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"
#include "editor/main_window_layout.h"

namespace {

// Child, visible, both scroll bars, ES_MULTILINE, ES_AUTOVSCROLL,
// ES_AUTOHSCROLL, ES_WANTRETURN and bit 0x400.
constexpr DWORD kLyricsTextStyle = 0x503014C4;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP |
                                  CCS_BOTTOM;
// The lyrics text's notifications: ENM_CHANGE, ENM_SELCHANGE, ENM_PROTECTED.
constexpr LPARAM kLyricsTextEvents = 0x00280001;
constexpr LONG kMaxLyricsCharacters = 32767;

const ToolbarItem kAudioToolbarItems[] = {
    {kToolbarPushButton, ID_AUDIO_OPEN},
    {kToolbarSeparator, 0},
    {kToolbarPushButton, ID_AUDIO_PLAY},
    {kToolbarPushButton, ID_AUDIO_PLAY_XX},
    {kToolbarPushButton, ID_AUDIO_PLAY_X},
    {kToolbarPushButton, ID_AUDIO_PAUSE},
    {kToolbarPushButton, ID_AUDIO_STOP},
    {kToolbarAutoRepeat, ID_AUDIO_REWIND},
    {kToolbarAutoRepeat, ID_AUDIO_FAST_FORWARD},
    {kToolbarSeparator, 0},
    {kToolbarPushButton, ID_TIMESTAMP_UNDO},
    {kToolbarPushButton, ID_TIMESTAMP_REDO},
    {kToolbarSeparator, 0},
    {kToolbarRadioFirst, ID_TIMESTAMP_SET},
    {kToolbarRadioMember, ID_TIMESTAMP_REMOVE},
    {kToolbarRadioMember, ID_TIMESTAMP_COMBINE},
    {kToolbarRadioMember, ID_TIMESTAMP_SPLIT},
    {kToolbarRadioMember, ID_TIMESTAMP_ADJUST},
    {kToolbarRadioMember, ID_TIMESTAMP_MOVE},
    {kToolbarRadioMember, ID_TIMESTAMP_MOVE_ALL},
};

const ToolbarItem kEditToolbarItems[] = {
    {kToolbarPushButton, ID_FILE_OPEN},
    {kToolbarPushButton, ID_FILE_SAVE},
    {kToolbarSeparator, 0},
    {kToolbarPushButton, ID_EDIT_COPY},
    {kToolbarPushButton, ID_EDIT_PASTE},
    {kToolbarSeparator, 0},
    {kToolbarPushButton, ID_EDIT_UNDO},
    {kToolbarPushButton, ID_EDIT_REDO},
    {kToolbarSeparator, 0},
    {kToolbarPushButton, ID_SET_SYNCPOINT},
    {kToolbarPushButton, ID_REMOVE_SYNCPOINT},
};

template <typename T, size_t N>
constexpr int CountOf(const T (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

bool EditorMainWindow::OnCreate(WPARAM, LPARAM, LRESULT& result) {
  const int menuHeight = MenuBandHeight();
  const bool created = CreateContainers(menuHeight) && CreateLyricsText() && CreateControls() &&
                       FillBands(menuHeight) && menuBar_.LoadMenuBar(instance_, IDR_MAIN_MENU) &&
                       FillToolbars();
  if (!created) {
    result = -1;
    return true;
  }
  PrepareLyricsText();
  SetInitialCommandStates();
  RefreshEditState();
  UpdateTitle();
  result = 0;
  return true;
}

bool EditorMainWindow::CreateContainers(int menuHeight) {
  RECT client = {};
  GetClientRect(window_, &client);
  const int top = menuHeight + kTopBandsExtraHeight;
  const RECT topRect = {0, 0, client.right, top};
  const RECT previewRect = {0, top, client.right, top + kPreviewHeight};
  const RECT lowerRect = {0, top + kPreviewHeight, client.right,
                          top + kPreviewHeight + kLowerBandsHeight};
  return topBands_.CreateControl(window_, instance_, topRect, IDC_TOP_BANDS) &&
         previewHost_.CreateControl(window_, instance_, previewRect, IDC_PREVIEW_HOST) &&
         lowerBands_.CreateControl(window_, instance_, lowerRect, IDC_LOWER_BANDS);
}

bool EditorMainWindow::CreateLyricsText() {
  text_ = CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "", kLyricsTextStyle, 0, 0, 0, 0,
                          window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LYRICS_TEXT)),
                          instance_, nullptr);
  if (!text_) return false;
  // Text dropped into the window would reach it by no message the editor
  // sees first; where RichEdit registered itself as a drop target, it goes.
  // A drop that still happens is caught as an unannounced change.
  RevokeDragDrop(text_);
  return true;
}

bool EditorMainWindow::CreateControls() {
  const RECT empty = {};
  if (!menuBar_.CreateControl(instance_, window_, empty, IDC_MENU_BAR) ||
      !audioToolbar_.CreateControl(window_, instance_, empty, IDC_AUDIO_TOOLBAR) ||
      !editToolbar_.CreateControl(window_, instance_, empty, IDC_EDIT_TOOLBAR) ||
      !positionBar_.CreateControl(window_, instance_, empty, IDC_POSITION_BAR) ||
      !timeDisplay_.CreateControl(window_, instance_, empty, IDC_TIME_DISPLAY)) {
    return false;
  }
  status_ = CreateStatusWindowA(kStatusBarStyle, "", window_, IDC_STATUS_BAR);
  return status_ != nullptr;
}

bool EditorMainWindow::FillBands(int menuHeight) {
  return topBands_.AddBand(menuBar_.window(), nullptr, nullptr, kSharedWidth, 0, 0, menuHeight) &&
         topBands_.AddBand(audioToolbar_.hwnd(), nullptr, nullptr, kSharedWidth, 0, 0,
                           kToolbarBandHeight) &&
         topBands_.AddBand(positionBar_.hwnd(), timeDisplay_.hwnd(), nullptr, kSharedWidth,
                           kTimeDisplayWidth, 0, kToolbarBandHeight) &&
         lowerBands_.AddBand(editToolbar_.hwnd(), nullptr, nullptr, kSharedWidth, 0, 0,
                             kToolbarBandHeight);
}

bool EditorMainWindow::FillToolbars() {
  return AddToolbarItems(audioToolbar_, kAudioToolbarItems, CountOf(kAudioToolbarItems)) &&
         AddToolbarItems(editToolbar_, kEditToolbarItems, CountOf(kEditToolbarItems));
}

void EditorMainWindow::PrepareLyricsText() {
  const LOGFONTA& font = settings_.textFont;
  CHARFORMATA format = TextFontFormat(font, settings_.textFontSize, font.lfWeight == FW_BOLD);
  format.dwMask |= CFM_COLOR | CFM_PROTECTED;
  format.dwEffects |= CFE_PROTECTED;
  format.crTextColor = kHeaderTextColour;
  SendMessageA(text_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(text_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageA(text_, EM_EXLIMITTEXT, 0, kMaxLyricsCharacters);
  // The editor keeps its own edit history.
  SendMessageA(text_, EM_SETUNDOLIMIT, 0, 0);
  SendMessageA(text_, EM_SETLANGOPTIONS, 0, 0);
  ShowHeaderTemplate(text_);
  document_.Initialise(kHeaderTemplate);
  SubclassLyricsText();
  SendMessageA(text_, EM_SETEVENTMASK, 0, kLyricsTextEvents);
  SetFocus(text_);
}

void EditorMainWindow::SetInitialCommandStates() {
  positionBar_.Enable(false, true);
  EnableCommand(ID_TIMESTAMP_UNDO, false, &audioToolbar_);
  EnableCommand(ID_TIMESTAMP_REDO, false, &audioToolbar_);
  menuBar_.CheckItem(ID_TIMESTAMP_SET, true);
  audioToolbar_.SetChecked(ID_TIMESTAMP_SET, true);
  menuBar_.CheckItem(ID_OPTIONS_ANTI_ALIASED, settings_.antiAliased != 0);
}
