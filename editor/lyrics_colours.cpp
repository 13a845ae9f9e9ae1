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
#include "editor/rich_text_window.h"

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

void SetSelectionFormat(HWND text, CHARFORMATA format) {
  SendMessageA(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

// Colouring a unit costs a selection and a format change in the text
// window, a fraction of a millisecond each; a long text would keep the
// user waiting after every edit that moves unit boundaries. The units up to
// the bottom of the window are coloured at once, the rest in slices on a
// timer, which runs only while no input is waiting.
constexpr UINT_PTR kRecolourTimer = 1;
constexpr int kUnitsBeyondView = 8;
constexpr int kUnitsPerSlice = 48;

// The last character the text window shows.
static int LastVisiblePosition(HWND text) {
  RECT client = {};
  GetClientRect(text, &client);
  const POINTL corner = {client.right - 1, client.bottom - 1};
  return static_cast<int>(
      SendMessageA(text, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&corner)));
}

// Unit by unit from the unit holding `from`; the header keeps its own
// colours. Units beyond the window's bottom are left to the timer.
void EditorMainWindow::RecolourUnits(int from) {
  int p = std::max(from, document_.LyricsStart());
  if (recolourFrom_ >= 0) p = std::min(p, recolourFrom_);
  recolourFrom_ = ColourUnitsFrom(p, LastVisiblePosition(text_), kUnitsBeyondView);
  if (recolourFrom_ >= 0) {
    SetTimer(window_, kRecolourTimer, 0, nullptr);
  } else {
    KillTimer(window_, kRecolourTimer);
  }
}

bool EditorMainWindow::OnTimer(WPARAM id, LPARAM, LRESULT& result) {
  result = 0;
  if (id != kRecolourTimer) return false;
  if (recolourFrom_ >= 0) recolourFrom_ = ColourUnitsFrom(recolourFrom_, -1, kUnitsPerSlice);
  if (recolourFrom_ < 0) KillTimer(window_, kRecolourTimer);
  return true;
}

// Colours the units from p up to `until` and then `more` units; returns
// where colouring stopped, or -1 at the end of the text.
int EditorMainWindow::ColourUnitsFrom(int p, int until, int more) {
  const int length = document_.Length();
  p = std::max(p, document_.LyricsStart());
  if (p >= length) return -1;
  QuietSelection quiet(text_);
  RichTextWindow window(text_, evenUnitColour_, oddUnitColour_);
  while (p < length) {
    if (p > until && more-- <= 0) return p;
    const UnitParityEnd unit = document_.UnitParityAndEnd(p);
    const int end = unit.end > p ? unit.end : length;
    window.ColourUnit(p, end, unit.parity);
    p = end;
  }
  return -1;
}

// A change of [start, start + removed) into `inserted` characters moves the
// place where the pending colouring goes on.
void EditorMainWindow::ShiftPendingRecolour(int start, int removed, int inserted) {
  if (recolourFrom_ <= start) return;
  recolourFrom_ = recolourFrom_ <= start + removed ? start : recolourFrom_ + inserted - removed;
}

// A blank carrying a syncpoint, or at the start or end of its line, shows
// as "_"; every other blank shows as itself. The model keeps the blank.
void EditorMainWindow::ShowBlanks(int from, int to) {
  const int first = std::max(from - 1, document_.LyricsStart());
  const int last = std::min(to, document_.Length() - 1);
  for (int p = first; p <= last; ++p) {
    const uint16_t code = document_.CharacterAt(p);
    if (!IsLyricsBlank(code)) continue;
    const char wanted[2] = {ShownBlank(document_.CharacterAt(p - 1), code,
                                       document_.CharacterAt(p + 1), document_.IsSyncpointAt(p)),
                            '\0'};
    if (ShownText(text_, p, p + 1) == wanted) continue;
    QuietSelection quiet(text_);
    RichTextWindow(text_, evenUnitColour_, oddUnitColour_).ShowBlank(p, wanted[0]);
  }
}

// With the caret on a syncpoint, typed or pasted text joins the unit that
// ends there and takes its colour.
void EditorMainWindow::SetInsertionColour() {
  const CHARRANGE selection = TextSelection(text_);
  if (selection.cpMin != selection.cpMax || !document_.IsSyncpointAt(selection.cpMin)) return;
  const int parity = document_.UnitParityAndEnd(selection.cpMin).parity;
  EventMaskOff quiet(text_);
  SetSelectionFormat(text_, LyricsUnitFormat(parity ? evenUnitColour_ : oddUnitColour_));
}
