#include "editor/formats/memory_text_window.h"

#include "editor/document/character_code.h"

bool MemoryTextWindow::ShowEmptyDocument() {
  codes_.assign(kEmptyDocumentText, kEmptyDocumentText + kEmptyDocumentLength);
  colours_.assign(static_cast<size_t>(kEmptyDocumentLength), kHeaderGrey);
  // The breaks that end the four labelled lines.
  int breaks = 0;
  for (size_t p = 0; p < codes_.size() && breaks < kHeaderFieldCount; ++p) {
    if (codes_[p] == kLineBreakCode) colours_[p] = kHeaderBreakGreen, ++breaks;
  }
  return true;
}

bool MemoryTextWindow::ReplaceText(int32_t start, int32_t end, const char* text) {
  if (!InRange(start, end)) return false;
  std::vector<uint16_t> inserted;
  for (size_t pos = 0, bytes = 0; text[pos]; pos += bytes) {
    uint16_t code = DecodeCharacter(text, pos, isLead_, &bytes);
    if (code == '\r' && text[pos + 1] == '\n') ++bytes;
    if (code == '\n') code = '\r';
    inserted.push_back(code);
  }
  const uint32_t colour = start > 0 ? colours_[static_cast<size_t>(start - 1)] : kHeaderGrey;
  codes_.erase(codes_.begin() + start, codes_.begin() + end);
  colours_.erase(colours_.begin() + start, colours_.begin() + end);
  codes_.insert(codes_.begin() + start, inserted.begin(), inserted.end());
  colours_.insert(colours_.begin() + start, inserted.size(), colour);
  return true;
}

bool MemoryTextWindow::ReadText(int32_t start, int32_t end, ByteBuilder* text) {
  if (end < 0) end = Length();
  if (!InRange(start, end)) return false;
  char bytes[2];
  for (int32_t p = start; p < end; ++p) {
    if (!text->Append(bytes, EncodeCharacter(codes_[static_cast<size_t>(p)], bytes))) return false;
  }
  return true;
}

void MemoryTextWindow::ShowBlank(int32_t p, char shown) {
  if (p >= 0 && p < Length()) codes_[static_cast<size_t>(p)] = static_cast<unsigned char>(shown);
}

void MemoryTextWindow::ColourUnit(int32_t start, int32_t end, int parity) {
  if (end > Length()) end = Length();
  for (int32_t p = start < 0 ? 0 : start; p < end; ++p) {
    colours_[static_cast<size_t>(p)] = parity ? kOddUnitColour : kEvenUnitColour;
  }
}

void MemoryTextWindow::SetRedraw(bool on) {
  if (!on) {
    ++redrawOff_;
  } else if (redrawOff_ > 0 && --redrawOff_ == 0) {
    ++redraws_;
  }
}

std::string MemoryTextWindow::Text() const {
  std::string text;
  char bytes[2];
  for (uint16_t code : codes_) text.append(bytes, EncodeCharacter(code, bytes));
  return text;
}

std::string DocumentText(const LyricsDocument& document) {
  std::string text;
  char bytes[2];
  for (int32_t p = 0; p < document.Length(); ++p) {
    text.append(bytes, EncodeCharacter(document.CharacterAt(p), bytes));
  }
  return text;
}

namespace {

uint16_t ShownCode(const LyricsDocument& document, int32_t p) {
  const uint16_t code = document.CharacterAt(p);
  if (p < document.LyricsStart() || !IsLyricsBlank(code)) return code;
  return static_cast<unsigned char>(ShownBlank(document.CharacterAt(p - 1), code,
                                               document.CharacterAt(p + 1), document.IsSyncpointAt(p)));
}

}  // namespace

std::string FindWindowDifference(const MemoryTextWindow& window, const LyricsDocument& document) {
  if (window.Length() != document.Length()) return "the window holds another number of characters";
  const std::string shown = window.Text();
  const std::string wanted = [&] {
    std::string text;
    char bytes[2];
    for (int32_t p = 0; p < document.Length(); ++p) text.append(bytes, EncodeCharacter(ShownCode(document, p), bytes));
    return text;
  }();
  if (shown != wanted) return "the window shows \"" + shown + "\" for \"" + wanted + "\"";
  int32_t unit = -1;
  int headerBreaks = 0;
  for (int32_t p = 0; p < document.Length(); ++p) {
    const uint16_t code = document.CharacterAt(p);
    uint32_t colour = kHeaderGrey;
    if (p >= document.LyricsStart()) {
      unit += IsTimingPoint(document.CharacterAt(p - 1), code, document.IsSyncpointAt(p));
      colour = unit >= 0 && (unit & 1) == 0 ? kEvenUnitColour : kOddUnitColour;
    } else if (IsLineBreak(code) && headerBreaks++ < 4) {
      colour = kHeaderBreakGreen;
    }
    if (window.ColourAt(p) != colour) return "wrong colour at " + std::to_string(p);
  }
  return "";
}
