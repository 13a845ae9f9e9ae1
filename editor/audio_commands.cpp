// Audio commands: opening an audio file, the transport, the position bar
// and the messages of the playback graph. The DirectShow engine that
// decodes and plays the file arrives with the audio features; until then
// no file can be played, so the transport has nothing to act on and the
// position bar stays disabled.
#include "editor/file_dialogs.h"
#include "editor/main_window.h"
#include "editor/program_files.h"

namespace {

constexpr char kAudioFilters[] =
    "Audio Files (*.wav;*.mp3;*.wma)\0*.wav;*.mp3;*.wma\0All Files (*.*)\0*.*\0";
// The decoded audio of the open file, beside the program.
constexpr char kWorkFileName[] = "wav.tmp";
// Its directory (with the backslash) must be shorter than this.
constexpr size_t kWorkDirectoryLimit = 252;

}  // namespace

void EditorMainWindow::OnAudioOpen(int, int) {
  char path[MAX_PATH];
  if (!ChooseFileToOpen(window_, kAudioFilters, settings_.audioDirectory,
                        sizeof settings_.audioDirectory, path)) {
    return;
  }
  MessageBoxA(window_, "Cannot play the file.", kEditorName, MB_ICONWARNING);
  audioFileName_[0] = '\0';
  UpdateTitle();
}

void EditorMainWindow::OnPlay(int, int) {}
void EditorMainWindow::OnPause(int, int) {}
void EditorMainWindow::OnStop(int, int) {}
void EditorMainWindow::OnScan(int, int) {}
void EditorMainWindow::OnPositionBarMoved(int, int) {}

// No graph exists, so no graph message can be meant for this window.
bool EditorMainWindow::OnAudioEngineMessage(WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  return true;
}

void EditorMainWindow::TearDownAudio() {}

void EditorMainWindow::DeleteWorkFile() {
  char path[MAX_PATH];
  if (ProgramFilePath(kWorkFileName, kWorkDirectoryLimit - 1, path)) DeleteFileA(path);
}
