// Catching every change of the lyrics text before the text window makes it
// and mirroring it into the lyrics document afterwards.
//
// The text window is subclassed: each message that would change the text
// (a typed character, Backspace, Delete, Return, cut, paste, replacing the
// selection, setting the text, an input method's result) is first
// announced here, where a change the header does not allow is refused and
// never reaches the window. RichEdit's EN_PROTECTED is not relied upon
// (not every RichEdit sends it); where it arrives it finds the change
// already announced. EN_CHANGE then mirrors the announced change; a change
// that arrives unannounced is found by comparing the window with the model.
// Changes the editor makes itself run with the notifications off and pass
// the subclass untouched. Text dragged and dropped inside the window is one
// such unannounced change.
#include <windows.h>

#include <imm.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/clipboard_text.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"

namespace {

// What a pending edit announces (the message that stands for it).
constexpr UINT kTypedCharacter = WM_CHAR;  // also Return on its key-down
constexpr UINT kReadBackText = 271;        // an input method's result
constexpr UINT kInsertedText = WM_PASTE;   // paste, replace, set text
constexpr UINT kDeleteKey = WM_KEYDOWN;    // Backspace and Delete
constexpr UINT kRemovedRange = WM_CUT;     // cut and clear

// The label lengths of the four header lines: "Title: ", "Artist: ",
// "Album: ", "Editor: ".
constexpr int kLabelLengths[] = {7, 8, 7, 8};

LRESULT CALLBACK LyricsTextProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* editor =
      reinterpret_cast<EditorMainWindow*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA));
  if (!editor) return DefWindowProcA(hwnd, message, wParam, lParam);
  return editor->HandleTextMessage(hwnd, message, wParam, lParam);
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The kind of change a message would make, or 0 when it changes nothing.
UINT ChangeKind(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      return (wParam >= 32 && wParam != 127) || wParam == '\r' || wParam == '\t'
                 ? kTypedCharacter
                 : 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) return kTypedCharacter;
      return wParam == VK_BACK || wParam == VK_DELETE ? kDeleteKey : 0;
    case WM_IME_CHAR:
      return kReadBackText;
    case WM_IME_COMPOSITION:
      return (lParam & GCS_RESULTSTR) ? kReadBackText : 0;
    case WM_PASTE:
    case EM_PASTESPECIAL:
    case EM_REPLACESEL:
    case WM_SETTEXT:
      return kInsertedText;
    case WM_CUT:
    case WM_CLEAR:
      return kRemovedRange;
    default:
      return 0;
  }
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

void EditorMainWindow::SubclassLyricsText() {
  textWindowProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(text_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LyricsTextProc)));
}

LRESULT EditorMainWindow::HandleTextMessage(HWND hwnd, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  // The clipboard keys RichEdit knows besides the accelerators take the
  // editor's own commands.
  if (message == WM_KEYDOWN && (wParam == VK_INSERT || wParam == VK_DELETE) &&
      (KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL)) && !(KeyDown(VK_SHIFT) && KeyDown(VK_CONTROL))) {
    const int command = wParam == VK_DELETE ? (KeyDown(VK_SHIFT) ? ID_EDIT_CUT : 0)
                        : KeyDown(VK_SHIFT) ? ID_EDIT_PASTE
                                            : ID_EDIT_COPY;
    if (command) {
      SendMessageA(window_, WM_COMMAND, command, 0);
      return 0;
    }
  }
  const bool notifying = (SendMessageA(hwnd, EM_GETEVENTMASK, 0, 0) & ENM_CHANGE) != 0;
  if (!notifying || ChangeKind(message, wParam, lParam) == 0) {
    return CallWindowProcA(textWindowProc_, hwnd, message, wParam, lParam);
  }
  if (!AnnounceChange(message, wParam, lParam)) return 0;
  const LRESULT result = CallWindowProcA(textWindowProc_, hwnd, message, wParam, lParam);
  // A change that did not happen (nothing to delete, nothing to paste)
  // leaves nothing pending.
  pendingEdit_ = PendingEdit{};
  return result;
}

bool EditorMainWindow::AnnounceChange(UINT message, WPARAM wParam, LPARAM lParam) {
  if (pendingEdit_.kind) return true;
  const UINT kind = ChangeKind(message, wParam, lParam);
  CHARRANGE range = TextSelection(text_);
  if (message == WM_SETTEXT) range = CHARRANGE{0, document_.Length()};
  const bool emptyRange = range.cpMin == range.cpMax;
  if (range.cpMin < document_.LyricsStart()) {
    if (!HeaderChangeAllowed(message, wParam, range)) return false;
    // A header value stays on one line.
    if (message == EM_REPLACESEL && lParam &&
        HasLineBreak(reinterpret_cast<const char*>(lParam))) {
      return false;
    }
    if ((message == WM_PASTE || message == EM_PASTESPECIAL) &&
        HasLineBreak(ClipboardText(window_))) {
      return false;
    }
  } else if (message == WM_KEYDOWN && wParam == VK_BACK && emptyRange &&
             range.cpMin == document_.LyricsStart()) {
    return false;
  }
  pendingEdit_ = PendingEdit{kind, message == WM_KEYDOWN && kind == kTypedCharacter ? '\r' : wParam,
                             lParam, range};
  return true;
}

// The header's labels, its empty last line and its line breaks stay; a
// change may run to the end of its line but not past it.
bool EditorMainWindow::HeaderChangeAllowed(UINT message, WPARAM wParam, CHARRANGE& range) {
  int lineStarts[5] = {0};
  for (int line = 1; line < 5; ++line) {
    lineStarts[line] = document_.LineEndFrom(lineStarts[line - 1]) + 1;
  }
  int line = 0;
  while (line < 4 && range.cpMin >= lineStarts[line + 1]) ++line;
  if (line == 4 || range.cpMin < lineStarts[line] + kLabelLengths[line]) return false;
  const int nextLine = lineStarts[line + 1];
  if (range.cpMax > nextLine) return false;
  if (range.cpMax == nextLine && range.cpMin < range.cpMax) {
    range.cpMax = nextLine - 1;
    SelectText(text_, range.cpMin, range.cpMax);
  }
  const bool empty = range.cpMin == range.cpMax;
  const bool typedReturn = (message == WM_CHAR && wParam == '\r') ||
                           (message == WM_KEYDOWN && wParam == VK_RETURN);
  if (typedReturn) return false;
  if (message == WM_KEYDOWN && wParam == VK_BACK && empty &&
      range.cpMin == lineStarts[line] + kLabelLengths[line]) {
    return false;
  }
  if (message == WM_KEYDOWN && wParam == VK_DELETE && empty && range.cpMin == nextLine - 1) {
    return false;
  }
  // Removing the line's own line break is not allowed either.
  if ((message == WM_CUT || message == WM_CLEAR) && empty) return false;
  return true;
}

// EN_CHANGE.
void EditorMainWindow::MirrorChange() {
  const int newLength = TextCharacterCount(text_);
  const int caret = TextSelection(text_).cpMax;
  if (!pendingEdit_.kind || !MirrorAnnouncedChange(document_.Length(), newLength, caret)) {
    MirrorUnannouncedChange();
  }
  pendingEdit_ = PendingEdit{};
  RefreshEditState();
}

// The changed range follows from the announced selection, the caret after
// the change and the change of length: the new text ends at the caret,
// except for a deletion to the left, which ends where the caret was.
bool EditorMainWindow::MirrorAnnouncedChange(int oldLength, int newLength, int caret) {
  const CHARRANGE& range = pendingEdit_.range;
  const bool emptyRange = range.cpMin == range.cpMax;
  const bool deleteKey = pendingEdit_.kind == kDeleteKey && emptyRange;
  const int start = deleteKey && pendingEdit_.key == VK_BACK ? caret : range.cpMin;
  const int inserted = deleteKey ? 0 : caret - start;
  const int removed = oldLength - newLength + inserted;
  if (start < 0 || inserted < 0 || removed < 0 || start + removed > oldLength) return false;
  // Whatever was removed, the text around must still be what the model holds.
  ReplaceInModel(start, start + removed, inserted, false);
  return true;
}

// Common head and tail of the window and the model; the rest is one
// replacement.
void EditorMainWindow::MirrorUnannouncedChange() {
  const int newLength = TextCharacterCount(text_);
  const std::vector<uint16_t> shown = CharacterCodes(ShownText(text_, 0, newLength));
  const int shownLength = static_cast<int>(shown.size());
  const int oldLength = document_.Length();
  int head = 0;
  while (head < shownLength && head < oldLength &&
         ShowsModelCharacter(shown[static_cast<size_t>(head)], document_.CharacterAt(head))) {
    ++head;
  }
  int tail = 0;
  while (tail < shownLength - head && tail < oldLength - head &&
         ShowsModelCharacter(shown[static_cast<size_t>(shownLength - 1 - tail)],
                             document_.CharacterAt(oldLength - 1 - tail))) {
    ++tail;
  }
  if (head == shownLength && head == oldLength) return;
  ReplaceInModel(head, oldLength - tail, shownLength - head - tail, true);
}

// Replaces [start, end) of the model by the `insertedCount` characters the
// window now shows at start, and brings the display filter, the blanks and
// the colours along. Recolouring is needed only where a unit boundary may
// have moved: a line break or syncpoint removed, a line break inserted, or
// the change at the start of a line.
void EditorMainWindow::ReplaceInModel(int start, int end, int insertedCount, bool recolour) {
  const std::string text = ShownText(text_, start, start + insertedCount);
  const int lyricsStart = document_.LyricsStart();
  const bool header = start < lyricsStart;
  if (!header && !recolour) {
    recolour = HasLineBreak(text) || IsLineBreak(document_.CharacterAt(start - 1)) ||
               (start == end && document_.IsSyncpointAt(start) && HasLineBreak(text));
    for (int p = start; p < end && !recolour; ++p) {
      recolour = IsLineBreak(document_.CharacterAt(p)) || document_.IsSyncpointAt(p);
    }
  }
  ReplaceResult result = {};
  const EditLog log = header ? EditLog::kRecord
                      : recolour ? EditLog::kRecordRecolour
                                 : EditLog::kRecord;
  if (!document_.ReplaceRange(start, end, text.c_str(), insertedCount, log, &result)) return;
  ShiftPendingRecolour(start, end - start, insertedCount);
  if (header) return;
  if (ILyricsDisplay* display = audio_.lyricsDisplay()) {
    display->ReplaceText(start - lyricsStart, end - lyricsStart, text.c_str(),
                                insertedCount);
    if (result.droppedSyncpoint) display->SetSyncpoint(start + insertedCount - lyricsStart, 0);
    display->Refresh(0, 1);
  }
  ShowBlanks(start, start + insertedCount);
  if (recolour || result.droppedSyncpoint) RecolourUnits(start);
}
