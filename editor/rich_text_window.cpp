#include "editor/rich_text_window.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"

namespace {

void AppendColour(std::string& rtf, COLORREF colour) {
  rtf += "\\red" + std::to_string(GetRValue(colour)) + "\\green" +
         std::to_string(GetGValue(colour)) + "\\blue" + std::to_string(GetBValue(colour)) + ";";
}

// One character of the window's text (a multibyte character as the window
// reads it back) as rich text: line breaks become paragraph ends, tabs
// tabs, and all but plain ASCII go as Unicode escapes.
void AppendCharacter(std::string& rtf, const char* bytes, size_t size) {
  if (size == 1 && bytes[0] == '\r') {
    rtf += "\\par\n";
    return;
  }
  if (size == 1 && bytes[0] == '\t') {
    rtf += "\\tab ";
    return;
  }
  const auto first = static_cast<unsigned char>(bytes[0]);
  if (size == 1 && first >= 0x20 && first < 0x80) {
    if (first == '\\' || first == '{' || first == '}') rtf += '\\';
    rtf += static_cast<char>(first);
    return;
  }
  wchar_t wide[2] = {};
  const int count = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), wide, 2);
  for (int i = 0; i < count; ++i) {
    rtf += "\\u" + std::to_string(static_cast<int16_t>(wide[i])) + " ";
  }
}

struct StreamSource {
  const std::string* rtf;
  size_t offset;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const size_t left = source->rtf->size() - source->offset;
  const size_t count = std::min(left, static_cast<size_t>(wanted));
  std::copy_n(source->rtf->data() + source->offset, count, buffer);
  source->offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

}  // namespace

bool RichTextWindow::ShowEmptyDocument() {
  blanks_.clear();
  runs_.clear();
  ShowHeaderTemplate(text_);
  return TextCharacterCount(text_) == kHeaderTemplateLength;
}

bool RichTextWindow::ReplaceText(int32_t start, int32_t end, const char* text) {
  ApplyPainting();
  if (!InsertHeldText()) return false;
  // An insertion of single-CR lines waits while the window does not redraw.
  if (redrawOff_ > 0 && start == end && *text && !std::strchr(text, '\n') &&
      start <= TextCharacterCount(text_)) {
    heldAt_ = start;
    heldText_ = text;
    heldLength_ = static_cast<int32_t>(CharacterCodes(heldText_).size());
    return true;
  }
  return ReplaceNow(start, end, text);
}

bool RichTextWindow::ReplaceNow(int32_t start, int32_t end, const char* text) {
  EventMaskOff quiet(text_);
  SelectText(text_, start, end);
  const CHARRANGE selected = TextSelection(text_);
  if (selected.cpMin != start || selected.cpMax != end) return false;
  const int before = TextCharacterCount(text_);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  // The window takes nothing when it is out of room: its length tells.
  return *text == '\0' || TextCharacterCount(text_) > before - (end - start);
}

bool RichTextWindow::InsertHeldText() {
  if (heldAt_ < 0) return true;
  const int32_t at = heldAt_;
  heldAt_ = -1;
  const std::string text = std::move(heldText_);
  heldText_.clear();
  return ReplaceNow(at, at, text.c_str());
}

bool RichTextWindow::ReadText(int32_t start, int32_t end, ByteBuilder* text) {
  ApplyPainting();
  if (!InsertHeldText()) return false;
  if (end < 0) end = TextCharacterCount(text_);
  if (start < 0 || end < start) return false;
  if (end == start) return true;
  const std::string shown = ShownText(text_, start, end);
  return text->Append(shown.data(), shown.size());
}

void RichTextWindow::ShowBlank(int32_t p, char shown) {
  if (redrawOff_ > 0) {
    blanks_.push_back(Blank{p, shown});
  } else {
    ShowBlankNow(p, shown);
  }
}

void RichTextWindow::ColourUnit(int32_t start, int32_t end, int parity) {
  if (end <= start) return;
  if (redrawOff_ > 0) {
    runs_.push_back(Run{start, end, parity});
  } else {
    ColourUnitNow(start, end, parity);
  }
}

void RichTextWindow::SetRedraw(bool on) {
  if (!on) {
    if (redrawOff_++ == 0) SendMessageA(text_, WM_SETREDRAW, FALSE, 0);
  } else if (redrawOff_ > 0 && --redrawOff_ == 0) {
    ApplyPainting();
    SendMessageA(text_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(text_, nullptr, TRUE);
  }
}

void RichTextWindow::SetCaret(int32_t p) {
  if (redrawOff_ == 0) ApplyPainting();
  EventMaskOff quiet(text_);
  SelectText(text_, p, p);
  SendMessageA(text_, EM_SCROLLCARET, 0, 0);
}

void RichTextWindow::ShowBlankNow(int32_t p, char shown) {
  const char text[2] = {shown, '\0'};
  if (ShownText(text_, p, p + 1) == text) return;
  EventMaskOff quiet(text_);
  SelectText(text_, p, p + 1);
  SendMessageA(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

// The unit's colour, protected like all lyrics, so that the editor hears of
// every attempt to change them.
void RichTextWindow::ColourUnitNow(int32_t start, int32_t end, int parity) {
  CHARFORMATA format = LyricsUnitFormat(parity ? oddColour_ : evenColour_);
  EventMaskOff quiet(text_);
  SelectText(text_, start, end);
  SendMessageA(text_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void RichTextWindow::ApplyPainting() {
  if (blanks_.empty() && runs_.empty()) {
    InsertHeldText();
    return;
  }
  bool joined = !runs_.empty();
  for (size_t i = 1; joined && i < runs_.size(); ++i) joined = runs_[i].start == runs_[i - 1].end;
  const int32_t start = joined ? runs_.front().start : 0;
  const int32_t end = joined ? runs_.back().end : 0;
  for (const Blank& blank : blanks_) {
    joined = joined && blank.position >= start && blank.position < end;
  }
  // Held text is painted in one piece only when the runs cover it exactly.
  if (heldAt_ >= 0 && !(start == heldAt_ && end == heldAt_ + heldLength_)) joined = false;
  if (!joined || !RewriteRange(start, end)) {
    InsertHeldText();
    for (const Blank& blank : blanks_) ShowBlankNow(blank.position, blank.shown);
    for (const Run& run : runs_) ColourUnitNow(run.start, run.end, run.parity);
  }
  heldAt_ = -1;
  heldText_.clear();
  blanks_.clear();
  runs_.clear();
}

// Writes [start, end) again as rich text with the collected blanks and
// colours, then gives it back the paragraph format and the text font that
// the rest of the text has. False when the window did not take it.
bool RichTextWindow::RewriteRange(int32_t start, int32_t end) {
  std::vector<uint16_t> codes =
      CharacterCodes(heldAt_ >= 0 ? heldText_ : ShownText(text_, start, end));
  if (static_cast<int32_t>(codes.size()) != end - start) return false;
  for (const Blank& blank : blanks_) {
    codes[static_cast<size_t>(blank.position - start)] = static_cast<unsigned char>(blank.shown);
  }
  std::string rtf = "{\\rtf1\\ansi\\uc0{\\colortbl;";
  AppendColour(rtf, evenColour_);
  AppendColour(rtf, oddColour_);
  rtf += "}\\protect ";
  for (const Run& run : runs_) {
    rtf += run.parity ? "\\cf2 " : "\\cf1 ";
    for (int32_t p = run.start; p < run.end; ++p) {
      const uint16_t code = codes[static_cast<size_t>(p - start)];
      const char bytes[2] = {static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)};
      AppendCharacter(rtf, bytes, code >> 8 ? 2 : 1);
    }
  }
  rtf += "}";
  const bool rewritten = StreamIn(start, heldAt_ >= 0 ? start : end, rtf);
  heldAt_ = -1;
  return rewritten;
}

// Replaces [start, end) by the rich text, which then takes the paragraph
// format and the text font that the text before it has, and protection.
bool RichTextWindow::StreamIn(int32_t start, int32_t end, const std::string& rtf) {
  EventMaskOff quiet(text_);
  PARAFORMAT paragraph = {};
  paragraph.cbSize = sizeof paragraph;
  SelectText(text_, 0, 0);
  SendMessageA(text_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  paragraph.dwMask &= PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_ALIGNMENT;
  CHARFORMATA font = {};
  font.cbSize = sizeof font;
  SendMessageA(text_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
  font.dwMask &= CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC;
  // Every unit is protected; not every reader of rich text honours \protect.
  font.dwMask |= CFM_PROTECTED;
  font.dwEffects |= CFE_PROTECTED;

  const int32_t lengthAfter = TextCharacterCount(text_) - (end - start);
  SelectText(text_, start, end);
  StreamSource source = {&rtf, 0};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  SendMessageA(text_, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
  const int32_t inserted = TextCharacterCount(text_) - lengthAfter;
  if (stream.dwError != 0 || inserted <= 0) return false;
  SelectText(text_, start, start + inserted);
  SendMessageA(text_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  SendMessageA(text_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&font));
  return true;
}
