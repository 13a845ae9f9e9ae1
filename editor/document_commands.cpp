// Edits of the lyrics text: undo and redo, the clipboard, syncpoints and
// the text window's notifications. The character model with its syncpoints
// and edit history arrives with the lyrics document; until then the text
// window holds the only copy of the text, there is no edit history and no
// character can carry a syncpoint.
#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "editor/clipboard_text.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"

namespace {

// The first position after the five header lines.
int LyricsStart(HWND text) {
  const LRESULT start = SendMessageA(text, EM_LINEINDEX, kHeaderLineCount, 0);
  return start >= 0 ? static_cast<int>(start) : TextCharacterCount(text);
}

CHARRANGE Selection(HWND text) {
  CHARRANGE range = {};
  SendMessageA(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

// The text window ends lines with a lone carriage return; other programs
// expect a carriage return and a line feed.
std::string WithLineFeeds(const char* text) {
  std::string result;
  for (const char* p = text; *p; ++p) {
    result += *p;
    if (*p == '\r' && p[1] != '\n') result += '\n';
  }
  return result;
}

}  // namespace

int EditorMainWindow::TextLength() const { return text_ ? TextCharacterCount(text_) : 0; }

bool EditorMainWindow::CanUndoEdit() const { return false; }
bool EditorMainWindow::CanRedoEdit() const { return false; }
bool EditorMainWindow::CanSetSyncpoint() const { return false; }
bool EditorMainWindow::CanRemoveSyncpoint() const { return false; }

// Without an edit history and syncpoints these commands have nothing to act
// on (their menu items and buttons stay disabled).
void EditorMainWindow::OnUndo(int, int) {}
void EditorMainWindow::OnRedo(int, int) {}
void EditorMainWindow::OnSetSyncpoint(int, int) {}
void EditorMainWindow::OnRemoveSyncpoint(int, int) {}

void EditorMainWindow::OnCut(int, int) {
  const CHARRANGE selection = Selection(text_);
  if (selection.cpMin < selection.cpMax) SendMessageA(text_, WM_CUT, 0, 0);
}

// Plain text only: the text window's own copy would add its formatting.
void EditorMainWindow::OnCopy(int, int) {
  const CHARRANGE selection = Selection(text_);
  if (selection.cpMin >= selection.cpMax) return;
  // Double-byte characters take two bytes each.
  std::vector<char> buffer(2 * static_cast<size_t>(selection.cpMax - selection.cpMin) + 1);
  SendMessageA(text_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
  PutClipboardText(window_, WithLineFeeds(buffer.data()));
}

// Plain text only, never formatting; a header value stays on one line.
void EditorMainWindow::OnPaste(int, int) {
  if (!SendMessageA(text_, EM_CANPASTE, CF_TEXT, 0)) return;
  if (Selection(text_).cpMin >= LyricsStart(text_)) {
    SendMessageA(text_, EM_PASTESPECIAL, CF_TEXT, 0);
    return;
  }
  std::string text = ClipboardText(window_);
  const size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd != std::string::npos) text.resize(lineEnd);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditorMainWindow::OnLyricsTextChanged(int, int) { RefreshEditState(); }

LRESULT EditorMainWindow::OnLyricsTextNotify(const NMHDR& header) {
  if (header.code == EN_SELCHANGE) UpdateCaretStatus();
  // EN_PROTECTED: every change is allowed while the header has no guard.
  return 0;
}

// Typed text takes the colour of the text around it; only a syncpoint
// under the caret would call for another colour.
void EditorMainWindow::PrepareTextInput() {}
