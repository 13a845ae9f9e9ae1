// The main window's caption: the program's name, then the names of the
// open audio file and lyrics file in brackets.
#pragma once

#include <string>

// "Kamiru Editor " alone, or followed by "- " and "[audio]" and/or
// "[lyrics]" for the names that are not empty (names without directory).
std::string FormatEditorCaption(const char* audioFileName, const char* lyricsFileName);
