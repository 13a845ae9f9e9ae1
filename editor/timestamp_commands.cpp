// Timestamp commands: the mouse tool of the lyrics display, playing from a
// timing unit and the undo history of the timestamps. The timestamps
// themselves live in the lyrics display filter, which arrives with the
// audio engine; until then there are none, no history and nothing to play.
#include "editor/editor_ids.h"
#include "editor/main_window.h"

namespace {

constexpr int kFirstToolCommand = ID_TIMESTAMP_SET;
constexpr int kLastToolCommand = ID_TIMESTAMP_MOVE_ALL;

}  // namespace

// One tool at a time: its menu item checked, its button pressed.
void EditorMainWindow::OnChooseTool(int id, int) {
  for (int tool = kFirstToolCommand; tool <= kLastToolCommand; ++tool) {
    menuBar_.CheckItem(tool, tool == id);
  }
  audioToolbar_.SetChecked(id, true);
  toolMode_ = static_cast<LyricsTool>(1 << (id - kFirstToolCommand));
}

bool EditorMainWindow::CanUndoTimestamp() const { return false; }
bool EditorMainWindow::CanRedoTimestamp() const { return false; }

// Without audio there is no unit to play and no step to undo or redo.
void EditorMainWindow::OnPlayUnit(int, int) {}
void EditorMainWindow::OnUndoTimestamp(int, int) {}
void EditorMainWindow::OnRedoTimestamp(int, int) {}

// With audio, a click in the lyrics moves the playback to the clicked unit.
void EditorMainWindow::FollowClickedUnit() {}
