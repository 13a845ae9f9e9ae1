// The main window's commands: the table that sends each command to its
// area, the enabled states of the menu items and toolbar buttons, the
// caption, Help, About and the exit procedure.
#include <windows.h>

#include <richedit.h>
#include <shellapi.h>

#include "editor/editor_caption.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"
#include "editor/program_files.h"

namespace {

constexpr const char kHelpFileName[] = "kmhelp.chm";
// The help file's directory (with its backslash) must be shorter than this.
constexpr size_t kHelpDirectoryLimit = 249;

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

const EditorMainWindow::CommandEntry EditorMainWindow::kCommands[] = {
    {ID_FILE_NEW, &EditorMainWindow::OnNew},
    {ID_FILE_OPEN, &EditorMainWindow::OnOpen},
    {ID_FILE_CLOSE, &EditorMainWindow::OnNew},  // Close is New
    {ID_FILE_SAVE, &EditorMainWindow::OnSave},
    {ID_FILE_SAVE_AS, &EditorMainWindow::OnSaveAs},
    {ID_APP_EXIT, &EditorMainWindow::OnExit},
    {ID_EDIT_UNDO, &EditorMainWindow::OnUndo},
    {ID_EDIT_REDO, &EditorMainWindow::OnRedo},
    {ID_EDIT_CUT, &EditorMainWindow::OnCut},
    {ID_EDIT_COPY, &EditorMainWindow::OnCopy},
    {ID_EDIT_PASTE, &EditorMainWindow::OnPaste},
    {ID_SET_SYNCPOINT, &EditorMainWindow::OnSetSyncpoint},
    {ID_REMOVE_SYNCPOINT, &EditorMainWindow::OnRemoveSyncpoint},
    {ID_AUDIO_OPEN, &EditorMainWindow::OnAudioOpen},
    {ID_AUDIO_PLAY, &EditorMainWindow::OnPlay},
    {ID_AUDIO_PAUSE, &EditorMainWindow::OnPause},
    {ID_AUDIO_STOP, &EditorMainWindow::OnStop},
    {ID_AUDIO_PLAY_XX, &EditorMainWindow::OnPlayUnit},
    {ID_AUDIO_PLAY_X, &EditorMainWindow::OnPlayUnit},
    {ID_AUDIO_REWIND, &EditorMainWindow::OnScan},
    {ID_AUDIO_FAST_FORWARD, &EditorMainWindow::OnScan},
    {ID_TIMESTAMP_UNDO, &EditorMainWindow::OnUndoTimestamp},
    {ID_TIMESTAMP_REDO, &EditorMainWindow::OnRedoTimestamp},
    {ID_TIMESTAMP_SET, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_REMOVE, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_COMBINE, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_SPLIT, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_ADJUST, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_MOVE, &EditorMainWindow::OnChooseTool},
    {ID_TIMESTAMP_MOVE_ALL, &EditorMainWindow::OnChooseTool},
    {ID_OPTIONS_TEXT_FONT, &EditorMainWindow::OnTextFont},
    {ID_OPTIONS_LYRICS_FONT, &EditorMainWindow::OnLyricsFont},
    {ID_OPTIONS_ANTI_ALIASED, &EditorMainWindow::OnAntiAliased},
    {ID_OPTIONS_RESTORE_DEFAULTS, &EditorMainWindow::OnRestoreDefaults},
    {ID_HELP_TOPICS, &EditorMainWindow::OnHelpTopics},
    {ID_APP_ABOUT, &EditorMainWindow::OnAbout},
    {IDC_POSITION_BAR, &EditorMainWindow::OnPositionBarMoved},
    {IDC_LYRICS_TEXT, &EditorMainWindow::OnLyricsTextChanged},
};

bool EditorMainWindow::OnCommand(WPARAM wParam, LPARAM, LRESULT& result) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // Of the text window's notifications only a change is a command.
  if (id == IDC_LYRICS_TEXT && code != EN_CHANGE) return false;
  for (const CommandEntry& entry : kCommands) {
    if (entry.id != id) continue;
    (this->*entry.handler)(id, code);
    result = 0;
    return true;
  }
  return false;
}

// A command's menu item and, when it has one there, its toolbar button.
void EditorMainWindow::EnableCommand(int id, bool enabled, Toolbar* toolbar) {
  menuBar_.EnableItem(id, enabled);
  if (toolbar) toolbar->EnableButton(id, enabled);
}

// Runs after every edit: the document now differs from its file.
void EditorMainWindow::RefreshEditState() {
  modified_ = true;
  EnableCommand(ID_EDIT_UNDO, CanUndoEdit(), &editToolbar_);
  EnableCommand(ID_EDIT_REDO, CanRedoEdit(), &editToolbar_);
  EnableCommand(ID_SET_SYNCPOINT, CanSetSyncpoint(), &editToolbar_);
  EnableCommand(ID_REMOVE_SYNCPOINT, CanRemoveSyncpoint(), &editToolbar_);
  RefreshFileCommands();
}

// Runs after every change of the pairs.
void EditorMainWindow::RefreshTimestampState() {
  modified_ = true;
  EnableCommand(ID_TIMESTAMP_UNDO, CanUndoTimestamp(), &audioToolbar_);
  EnableCommand(ID_TIMESTAMP_REDO, CanRedoTimestamp(), &audioToolbar_);
  RefreshFileCommands();
}

// New, Close and Save As are there for a document that holds more than the
// bare header or any timestamp; Save while such a document is modified. A
// bare document has nothing to lose, so it is never modified.
void EditorMainWindow::RefreshFileCommands() {
  const bool content = TextLength() > kHeaderTemplateLength || TimestampCount() > 0;
  if (!content) modified_ = false;
  EnableCommand(ID_FILE_NEW, content, nullptr);
  EnableCommand(ID_FILE_CLOSE, content, nullptr);
  EnableCommand(ID_FILE_SAVE, modified_, &editToolbar_);
  EnableCommand(ID_FILE_SAVE_AS, content, nullptr);
}

void EditorMainWindow::UpdateTitle() {
  SetWindowTextA(window_, FormatEditorCaption(audioFileName_, lyricsFileName_).c_str());
}

// The guard before work is dropped: true when the command may go on.
bool EditorMainWindow::AskToSaveChanges() {
  if (!modified_) return true;
  switch (MessageBoxA(window_, "Save changes to lyrics file?", kEditorName,
                      MB_ICONWARNING | MB_YESNOCANCEL)) {
    case IDYES:
      return SaveLyrics();
    case IDNO:
      return true;
    default:
      return false;
  }
}

void EditorMainWindow::OnExit(int, int) { RunExitProcedure(); }

void EditorMainWindow::RunExitProcedure() {
  if (!AskToSaveChanges()) return;
  TearDownAudio();
  SaveEditorSettings(settings_, window_);
  if (audioFileName_[0]) DeleteWorkFile();
  DestroyWindow(window_);
}

void EditorMainWindow::OnHelpTopics(int, int) {
  char path[MAX_PATH];
  if (!ProgramFilePath(kHelpFileName, kHelpDirectoryLimit - 1, path)) return;
  ShellExecuteA(window_, "Open", path, nullptr, nullptr, SW_SHOW);
}

void EditorMainWindow::OnAbout(int, int) {
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_ABOUT), window_, AboutDialogProc, 0);
}
