#include "editor/lyrics_text_access.h"

#include "editor/lyrics_text.h"

bool IsLyricsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

CHARRANGE TextSelection(HWND text) {
  CHARRANGE range = {};
  SendMessageA(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void SelectText(HWND text, LONG start, LONG end) {
  CHARRANGE range = {start, end};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string ShownText(HWND text, int start, int end) {
  if (end <= start) return std::string();
  // Double-byte characters take two bytes each.
  std::vector<char> buffer(2 * static_cast<size_t>(end - start) + 1, '\0');
  TEXTRANGEA range = {{start, end}, buffer.data()};
  SendMessageA(text, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  return std::string(buffer.data());
}

std::vector<uint16_t> CharacterCodes(const std::string& text) {
  std::vector<uint16_t> codes;
  codes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (i + 1 < text.size() && IsLyricsLeadByte(lead)) {
      codes.push_back(static_cast<uint16_t>(lead | static_cast<unsigned char>(text[++i]) << 8));
    } else {
      codes.push_back(lead);
    }
  }
  return codes;
}

std::string ModelText(const LyricsDocument& document, int start, int end) {
  std::string result;
  for (int p = start; p < end; ++p) {
    const uint16_t code = document.CharacterAt(p);
    result += static_cast<char>(code & 0xFF);
    if (code >> 8) result += static_cast<char>(code >> 8);
  }
  return result;
}

bool ShowsModelCharacter(uint16_t shown, uint16_t model) {
  return shown == model || (shown == '_' && (model == ' ' || model == '\t'));
}

bool WindowShowsModel(HWND text, const LyricsDocument& document) {
  const std::vector<uint16_t> shown = CharacterCodes(ShownText(text, 0, TextCharacterCount(text)));
  if (static_cast<int>(shown.size()) != document.Length()) return false;
  for (int p = 0; p < document.Length(); ++p) {
    if (!ShowsModelCharacter(shown[static_cast<size_t>(p)], document.CharacterAt(p))) return false;
  }
  return true;
}
