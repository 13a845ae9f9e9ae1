// The editor's file dialogs: each starts in a remembered directory.
#pragma once

#include <windows.h>

#include <cstddef>

// Shows the Open dialog with `filters` (pairs of NUL-terminated strings,
// ending with an empty one), the first selected, starting in `directory`
// (`directorySize` bytes). On a choice fills `path`, puts its directory
// into `directory` and returns true; false when cancelled.
bool ChooseFileToOpen(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]);

// The kinds of lyrics file the editor writes.
enum class LyricsFileType { kKm, kLrc, kWordLrc };

// The Save As dialog for lyrics, starting in `directory` with the name in
// `path` proposed (may be empty). Its types are "*.km", "*.lrc" when
// `offerLrc` and "Word-timed LRC (*.lrc)" when `offerWordLrc`; the name
// follows the chosen type: switching the type replaces an extension in the
// name, and OK appends the type's extension when the name lacks it. The
// dialog asks before a file is replaced. True with the chosen path in
// `path` and its type in `type`; false when cancelled.
bool ChooseLyricsFileToSave(HWND owner, bool offerLrc, bool offerWordLrc, const char* directory,
                            char (&path)[MAX_PATH], LyricsFileType* type);

// Puts the directory of `path` into `directory` (`directorySize` bytes):
// without its final backslash, except for the root of a drive ("C:\\").
void RememberDirectory(const char* path, char* directory, size_t directorySize);

// Whether `name` ends in `ending`, compared without regard to case.
bool EndsWithNoCase(const char* name, const char* ending);
