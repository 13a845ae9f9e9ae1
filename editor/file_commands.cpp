// File commands: New and Close, Open, Save and Save As. The readers and
// writers of the lyrics formats arrive with the file features; until then
// a chosen file can be neither read nor written, and the user is told so.

#include "editor/file_dialogs.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"

namespace {

constexpr char kLyricsFilters[] =
    "Lyrics Files (*.km;*.lrc;*.txt)\0*.km;*.lrc;*.txt\0"
    "TXT Files (*.txt)\0*.txt\0"
    "KM  Files (*.km)\0*.km\0"
    "LRC Files (*.lrc)\0*.lrc\0"
    "All Files (*.*)\0*.*\0";
constexpr char kSaveFilters[] = "*.km\0*.km\0";

}  // namespace

void EditorMainWindow::ResetDocument() {
  ShowHeaderTemplate(text_);
  document_.ReplaceRange(0, document_.Length(), kHeaderTemplate, kHeaderTemplateLength,
                         EditLog::kNone);
  document_.ClearHistory();
  UpdateCaretStatus();
  RefreshEditState();
}

// New and Close.
void EditorMainWindow::OnNew(int, int) {
  if (!AskToSaveChanges()) return;
  ResetDocument();
  lyricsPath_[0] = '\0';
  lyricsFileName_[0] = '\0';
  UpdateTitle();
}

void EditorMainWindow::OnOpen(int, int) {
  if (!AskToSaveChanges()) return;
  char path[MAX_PATH];
  if (!ChooseFileToOpen(window_, kLyricsFilters, settings_.lyricsDirectory,
                        sizeof settings_.lyricsDirectory, path)) {
    return;
  }
  ResetDocument();
  lyricsPath_[0] = '\0';
  lyricsFileName_[0] = '\0';
  MessageBoxA(window_, "File open failed.", kEditorName, MB_ICONWARNING);
  UpdateTitle();
}

void EditorMainWindow::OnSave(int, int) { SaveLyrics(); }

void EditorMainWindow::OnSaveAs(int, int) { SaveLyricsAs(); }

// True only when the lyrics were written.
bool EditorMainWindow::SaveLyrics() {
  if (!lyricsPath_[0]) return SaveLyricsAs();
  MessageBoxA(window_, "File save failed.", kEditorName, MB_ICONWARNING);
  return false;
}

bool EditorMainWindow::SaveLyricsAs() {
  char path[MAX_PATH];
  if (!ChooseFileToSave(window_, kSaveFilters, settings_.saveDirectory,
                        sizeof settings_.saveDirectory, path)) {
    return false;
  }
  MessageBoxA(window_, "File save failed.", kEditorName, MB_ICONWARNING);
  return false;
}
