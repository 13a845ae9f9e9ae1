// The RichEdit window that holds the lyrics: its character formats and the
// header template the editor shows in it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstdint>

// The bare header template that every document begins with, and where its
// four header lines end.
constexpr const char kHeaderTemplate[] = "Title: \rArtist: \rAlbum: \rEditor: \r\r";
constexpr int kHeaderTemplateLength = 35;
constexpr int kHeaderBreaks[] = {7, 16, 24, 33};
// Lines 0 to 4 of the text are the header; the lyrics start on line 5.
constexpr int kHeaderLineCount = 5;

// Colours of the text: the header and the default, and the line breaks
// that end the four header lines.
constexpr COLORREF kHeaderTextColour = 0x00808080;
constexpr COLORREF kHeaderBreakColour = 0x0000C000;

// A character format that sets the face, character set, pitch and family,
// size (tenths of a point, as twips) and bold and italic of `font`.
CHARFORMATA TextFontFormat(const LOGFONTA& font, int32_t sizeTenths, bool bold);

// The format of a lyrics unit: its colour, and protected like all text, so
// that every attempt to change it is heard of.
CHARFORMATA LyricsUnitFormat(COLORREF colour);

// Switches the text window's notifications off for its lifetime, so that
// changes the editor makes itself are not taken for the user's.
class EventMaskOff {
 public:
  explicit EventMaskOff(HWND text);
  ~EventMaskOff();
  EventMaskOff(const EventMaskOff&) = delete;
  EventMaskOff& operator=(const EventMaskOff&) = delete;

 private:
  HWND text_;
  LPARAM mask_;
};

// Replaces the whole text by the bare header template, indents its
// paragraphs by 3 pixels, colours the line breaks of the four header lines
// and puts the caret at the end, with the notifications off.
void ShowHeaderTemplate(HWND text);

// The number of characters in the text window (a double-byte character
// counts once).
int TextCharacterCount(HWND text);
