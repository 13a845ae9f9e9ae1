// Reading the lyrics text window and the lyrics model side by side: the
// selection, a range of the shown text, a range of the model's text, and
// the comparison that lets a shown "_" stand for a model blank.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/document/lyrics_document.h"

// Whether a byte leads a double-byte character in the system's code page.
bool IsLyricsLeadByte(unsigned char byte);

CHARRANGE TextSelection(HWND text);
void SelectText(HWND text, LONG start, LONG end);
// The multibyte text of characters [start, end) as the window shows it
// (lines end with a lone carriage return).
std::string ShownText(HWND text, int start, int end);
// The characters of a multibyte text as 16-bit codes (lead byte low, trail
// byte high for a double-byte character).
std::vector<uint16_t> CharacterCodes(const std::string& text);
// The model's characters [start, end) as multibyte text.
std::string ModelText(const LyricsDocument& document, int start, int end);
// Whether a shown character shows the model's character: the same, or an
// "_" standing for a blank.
bool ShowsModelCharacter(uint16_t shown, uint16_t model);
// Whether the whole window shows the whole model.
bool WindowShowsModel(HWND text, const LyricsDocument& document);
