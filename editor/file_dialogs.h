// The editor's file dialogs: each starts in a remembered directory and
// remembers the directory of the file chosen.
#pragma once

#include <windows.h>

#include <cstddef>

// Shows the Open dialog with `filters` (pairs of NUL-terminated strings,
// ending with an empty one), the first selected, starting in `directory`
// (`directorySize` bytes). On a choice fills `path`, puts its directory
// into `directory` and returns true; false when cancelled.
bool ChooseFileToOpen(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]);

// The same with the Save As dialog, which asks before a file is replaced.
bool ChooseFileToSave(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]);
