// Edits of the lyrics text: undo and redo, the clipboard, syncpoints and
// the text window's notifications. The text window shows the text; the
// lyrics document holds the same characters with their syncpoints and the
// edit history (catching and mirroring changes: lyrics_text_capture.cpp).
#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "editor/clipboard_text.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"

namespace {

// The text window ends lines with a lone carriage return; other programs
// expect a carriage return and a line feed.
std::string WithLineFeeds(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) result += '\n';
  }
  return result;
}

}  // namespace

// The model holds what the window shows, and counts it without asking it.
int EditorMainWindow::TextLength() const { return document_.Length(); }

bool EditorMainWindow::CanUndoEdit() const { return document_.UndoCount() > 0; }
bool EditorMainWindow::CanRedoEdit() const { return document_.RedoCount() > 0; }
bool EditorMainWindow::CanSetSyncpoint() const {
  return text_ && !pendingEdit_.kind && document_.CanSetSyncpoint(TextSelection(text_).cpMin);
}
bool EditorMainWindow::CanRemoveSyncpoint() const {
  return text_ && !pendingEdit_.kind && document_.CanRemoveSyncpoint(TextSelection(text_).cpMin);
}

void EditorMainWindow::OnUndo(int, int) { ApplyEditStep(true); }
void EditorMainWindow::OnRedo(int, int) { ApplyEditStep(false); }

// Puts back in the window what the step restores, then applies it to the
// model and brings the filter, the blanks and the colours along.
void EditorMainWindow::ApplyEditStep(bool undo) {
  EditStep step = {};
  std::string text;
  if (!(undo ? document_.PeekUndo(&step, &text) : document_.PeekRedo(&step, &text))) return;
  const int lyricsStart = document_.LyricsStart();
  const int shownCount = undo ? step.insertedCount : step.removedCount;
  const int restoredCount = undo ? step.removedCount : step.insertedCount;
  const int end = step.position + restoredCount;
  if (step.kind != EditKind::kSyncpoint) {
    EventMaskOff quiet(text_);
    SendMessageA(text_, EM_HIDESELECTION, TRUE, 0);
    SelectText(text_, step.position, step.position + shownCount);
    if (shownCount == 0) SetInsertionColour();
    SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(text_, EM_HIDESELECTION, FALSE, 0);
  }
  const bool syncpointBefore = document_.IsSyncpointAt(end);
  if (!(undo ? document_.ApplyUndo() : document_.ApplyRedo())) return;
  ShiftPendingRecolour(step.position, shownCount, restoredCount);
  if (step.kind != EditKind::kReplace) SelectText(text_, end, end);
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (display && step.position >= lyricsStart) {
    if (step.kind != EditKind::kSyncpoint) {
      display->ReplaceText(step.position - lyricsStart,
                                  step.position + shownCount - lyricsStart, text.c_str(),
                                  restoredCount);
    }
    if (step.kind == EditKind::kSyncpoint) {
      display->SetSyncpoint(step.position - lyricsStart,
                                   document_.IsSyncpointAt(step.position) ? 1 : 0);
    } else if (document_.IsSyncpointAt(end) != syncpointBefore) {
      display->SetSyncpoint(end - lyricsStart, document_.IsSyncpointAt(end) ? 1 : 0);
    }
    for (int p = step.position; p < end; ++p) {
      if (document_.IsSyncpointAt(p)) display->SetSyncpoint(p - lyricsStart, 1);
    }
    display->Refresh(0, 1);
  }
  ShowBlanks(step.position, end);
  if (step.recolour) RecolourUnits(step.position);
  UpdateCaretStatus();
  RefreshEditState();
}

void EditorMainWindow::OnSetSyncpoint(int, int) { ToggleSyncpoint(true); }
void EditorMainWindow::OnRemoveSyncpoint(int, int) { ToggleSyncpoint(false); }

void EditorMainWindow::ToggleSyncpoint(bool on) {
  const int p = TextSelection(text_).cpMin;
  if (!(on ? document_.SetSyncpoint(p, true) : document_.RemoveSyncpoint(p, true))) return;
  if (ILyricsDisplay* display = audio_.lyricsDisplay()) {
    display->SetSyncpoint(p - document_.LyricsStart(), on ? 1 : 0);
    display->Refresh(0, 1);
  }
  ShowBlanks(p, p);
  RecolourUnits(p);
  RefreshEditState();
}

// The window cuts the selection itself (the clipboard gets the text as
// shown); the subclass announces the removal and EN_CHANGE mirrors it.
void EditorMainWindow::OnCut(int, int) {
  const CHARRANGE selection = TextSelection(text_);
  if (selection.cpMin < selection.cpMax) SendMessageA(text_, WM_CUT, 0, 0);
}

// Plain text only, with the model's blanks in place of the "_" shown for
// them.
void EditorMainWindow::OnCopy(int, int) {
  const CHARRANGE selection = TextSelection(text_);
  if (selection.cpMin >= selection.cpMax) return;
  const std::string shown = ShownText(text_, selection.cpMin, selection.cpMax);
  const std::vector<uint16_t> codes = CharacterCodes(shown);
  std::string text;
  for (size_t i = 0; i < codes.size(); ++i) {
    const uint16_t model = document_.CharacterAt(selection.cpMin + static_cast<int>(i));
    const uint16_t code = codes[i] == '_' && (model == ' ' || model == '\t') ? model : codes[i];
    text += static_cast<char>(code & 0xFF);
    if (code >> 8) text += static_cast<char>(code >> 8);
  }
  PutClipboardText(window_, WithLineFeeds(text));
}

// Plain text only, never formatting; a header value stays on one line.
void EditorMainWindow::OnPaste(int, int) {
  if (!SendMessageA(text_, EM_CANPASTE, CF_TEXT, 0)) return;
  if (TextSelection(text_).cpMin >= document_.LyricsStart()) {
    SetInsertionColour();
    SendMessageA(text_, EM_PASTESPECIAL, CF_TEXT, 0);
    return;
  }
  std::string text = ClipboardText(window_);
  const size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd != std::string::npos) text.resize(lineEnd);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditorMainWindow::OnLyricsTextChanged(int, int) { MirrorChange(); }

LRESULT EditorMainWindow::OnLyricsTextNotify(const NMHDR& header) {
  if (header.code == EN_SELCHANGE) {
    UpdateCaretStatus();
    if (!pendingEdit_.kind) {
      EnableCommand(ID_SET_SYNCPOINT, CanSetSyncpoint(), &editToolbar_);
      EnableCommand(ID_REMOVE_SYNCPOINT, CanRemoveSyncpoint(), &editToolbar_);
    }
  }
  // EN_PROTECTED: every change was announced (or refused) before the text
  // window saw it; allow.
  return 0;
}

// Typed text joins the unit that ends at the caret.
void EditorMainWindow::PrepareTextInput() { SetInsertionColour(); }
