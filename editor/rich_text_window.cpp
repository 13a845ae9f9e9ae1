#include "editor/rich_text_window.h"

#include <richedit.h>

#include <string>

#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"

bool RichTextWindow::ShowEmptyDocument() {
  ShowHeaderTemplate(text_);
  return TextCharacterCount(text_) == kHeaderTemplateLength;
}

bool RichTextWindow::ReplaceText(int32_t start, int32_t end, const char* text) {
  EventMaskOff quiet(text_);
  SelectText(text_, start, end);
  const CHARRANGE selected = TextSelection(text_);
  if (selected.cpMin != start || selected.cpMax != end) return false;
  const int before = TextCharacterCount(text_);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  // The window takes nothing when it is out of room: its length tells.
  return *text == '\0' || TextCharacterCount(text_) > before - (end - start);
}

bool RichTextWindow::ReadText(int32_t start, int32_t end, ByteBuilder* text) {
  if (end < 0) end = TextCharacterCount(text_);
  if (start < 0 || end < start) return false;
  if (end == start) return true;
  // A double-byte character takes two bytes; one more for the NUL.
  std::string bytes(2 * static_cast<size_t>(end - start) + 1, '\0');
  TEXTRANGEA range = {{start, end}, &bytes[0]};
  const LRESULT copied = SendMessageA(text_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  return copied >= 0 && text->Append(bytes.data(), static_cast<size_t>(copied));
}

void RichTextWindow::ShowBlank(int32_t p, char shown) {
  char now[3] = {};
  TEXTRANGEA range = {{p, p + 1}, now};
  if (SendMessageA(text_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)) != 1 ||
      now[0] == shown) {
    return;
  }
  const char text[2] = {shown, '\0'};
  EventMaskOff quiet(text_);
  SelectText(text_, p, p + 1);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

// The unit's colour, protected like all lyrics, so that the editor hears of
// every attempt to change them.
void RichTextWindow::ColourUnit(int32_t start, int32_t end, int parity) {
  if (end <= start) return;
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR | CFM_PROTECTED;
  format.dwEffects = CFE_PROTECTED;
  format.crTextColor = parity ? oddColour_ : evenColour_;
  EventMaskOff quiet(text_);
  SelectText(text_, start, end);
  SendMessageA(text_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void RichTextWindow::SetRedraw(bool on) {
  if (!on) {
    if (redrawOff_++ == 0) SendMessageA(text_, WM_SETREDRAW, FALSE, 0);
  } else if (redrawOff_ > 0 && --redrawOff_ == 0) {
    SendMessageA(text_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(text_, nullptr, TRUE);
  }
}

void RichTextWindow::SetCaret(int32_t p) {
  EventMaskOff quiet(text_);
  SelectText(text_, p, p);
  SendMessageA(text_, EM_SCROLLCARET, 0, 0);
}
