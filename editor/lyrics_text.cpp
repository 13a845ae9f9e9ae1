#include "editor/lyrics_text.h"

#include <cstring>

namespace {

// The paragraphs start kStartIndentDots / dpi twips in: 3 pixels at any
// resolution.
constexpr LONG kStartIndentDots = 4320;
constexpr int kAssumedDotsPerInch = 120;

int ScreenDotsPerInch() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kAssumedDotsPerInch;
  const int dots = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dots > 0 ? dots : kAssumedDotsPerInch;
}

void Select(HWND text, LONG start, LONG end) {
  CHARRANGE range = {start, end};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

}  // namespace

CHARFORMATA LyricsUnitFormat(COLORREF colour) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR | CFM_PROTECTED;
  format.dwEffects = CFE_PROTECTED;
  format.crTextColor = colour;
  return format;
}

CHARFORMATA TextFontFormat(const LOGFONTA& font, int32_t sizeTenths, bool bold) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_BOLD | CFM_ITALIC;
  format.dwEffects = (bold ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0);
  format.yHeight = sizeTenths * 2;  // twips: twentieths of a point
  format.bCharSet = font.lfCharSet;
  format.bPitchAndFamily = font.lfPitchAndFamily;
  static_assert(sizeof format.szFaceName == sizeof font.lfFaceName, "LF_FACESIZE");
  std::memcpy(format.szFaceName, font.lfFaceName, sizeof format.szFaceName);
  format.szFaceName[LF_FACESIZE - 1] = '\0';
  return format;
}

EventMaskOff::EventMaskOff(HWND text)
    : text_(text), mask_(SendMessageA(text, EM_SETEVENTMASK, 0, 0)) {}

EventMaskOff::~EventMaskOff() { SendMessageA(text_, EM_SETEVENTMASK, 0, mask_); }

// Setting the text also drops the paragraph format, so the indent follows.
void ShowHeaderTemplate(HWND text) {
  EventMaskOff quiet(text);
  SetWindowTextA(text, kHeaderTemplate);
  PARAFORMAT indent = {};
  indent.cbSize = sizeof indent;
  indent.dwMask = PFM_STARTINDENT | PFM_OFFSET;
  indent.dxStartIndent = kStartIndentDots / ScreenDotsPerInch();
  indent.dxOffset = 0;
  Select(text, 0, -1);
  SendMessageA(text, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&indent));
  CHARFORMATA green = {};
  green.cbSize = sizeof green;
  green.dwMask = CFM_COLOR;
  green.crTextColor = kHeaderBreakColour;
  for (int position : kHeaderBreaks) {
    Select(text, position, position + 1);
    SendMessageA(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&green));
  }
  Select(text, kHeaderTemplateLength, kHeaderTemplateLength);
}

int TextCharacterCount(HWND text) {
  GETTEXTLENGTHEX query = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  const LRESULT count = SendMessageA(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0);
  return count > 0 ? static_cast<int>(count) : 0;
}
