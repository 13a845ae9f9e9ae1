// The colours of the lyrics units and the blanks shown as "_". Every change
// here runs with the text window's notifications off and its selection
// hidden, and puts the selection back afterwards.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>

#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"

namespace {

// Holds the text window quiet with its selection hidden, and restores the
// selection at the end.
class QuietSelection {
 public:
  explicit QuietSelection(HWND text)
      : text_(text), quiet_(text), selection_(TextSelection(text)) {
    SendMessageA(text_, EM_HIDESELECTION, TRUE, 0);
  }
  ~QuietSelection() {
    SelectText(text_, selection_.cpMin, selection_.cpMax);
    SendMessageA(text_, EM_HIDESELECTION, FALSE, 0);
  }
  QuietSelection(const QuietSelection&) = delete;
  QuietSelection& operator=(const QuietSelection&) = delete;

 private:
  HWND text_;
  EventMaskOff quiet_;
  CHARRANGE selection_;
};

CHARFORMATA UnitFormat(COLORREF colour) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR | CFM_PROTECTED;
  format.dwEffects = CFE_PROTECTED;
  format.crTextColor = colour;
  return format;
}

void SetSelectionFormat(HWND text, CHARFORMATA format) {
  SendMessageA(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

bool IsBlank(uint16_t code) { return code == ' ' || code == '\t'; }

}  // namespace

// Unit by unit from the unit holding `from` to the end; the header keeps
// its own colours.
void EditorMainWindow::RecolourUnits(int from) {
  const int length = document_.Length();
  int p = std::max(from, document_.LyricsStart());
  if (p >= length) return;
  QuietSelection quiet(text_);
  while (p < length) {
    const UnitParityEnd unit = document_.UnitParityAndEnd(p);
    const int end = unit.end > p ? unit.end : length;
    SelectText(text_, p, end);
    SetSelectionFormat(text_, UnitFormat(unit.parity ? oddUnitColour_ : evenUnitColour_));
    p = end;
  }
}

// A blank carrying a syncpoint, or at the start or end of its line, shows
// as "_"; every other blank shows as itself. The model keeps the blank.
void EditorMainWindow::ShowBlanks(int from, int to) {
  const int first = std::max(from - 1, document_.LyricsStart());
  const int last = std::min(to, document_.Length() - 1);
  for (int p = first; p <= last; ++p) {
    const uint16_t code = document_.CharacterAt(p);
    if (!IsBlank(code)) continue;
    const bool underscore = document_.IsSyncpointAt(p) ||
                            IsLineBreak(document_.CharacterAt(p - 1)) ||
                            IsLineBreak(document_.CharacterAt(p + 1));
    const char wanted[2] = {underscore ? '_' : static_cast<char>(code), '\0'};
    if (ShownText(text_, p, p + 1) == wanted) continue;
    QuietSelection quiet(text_);
    SelectText(text_, p, p + 1);
    SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wanted));
  }
}

// With the caret on a syncpoint, typed or pasted text joins the unit that
// ends there and takes its colour.
void EditorMainWindow::SetInsertionColour() {
  const CHARRANGE selection = TextSelection(text_);
  if (selection.cpMin != selection.cpMax || !document_.IsSyncpointAt(selection.cpMin)) return;
  const int parity = document_.UnitParityAndEnd(selection.cpMin).parity;
  EventMaskOff quiet(text_);
  SetSelectionFormat(text_, UnitFormat(parity ? evenUnitColour_ : oddUnitColour_));
}
