// Files that live beside the program: the help file and the audio work file.
#pragma once

#include <windows.h>

#include <cstddef>

// The path of `fileName` in the program's own directory. False when the
// program path has no directory or when the directory (with its final
// backslash) is longer than `maxDirectoryLength` characters.
bool ProgramFilePath(const char* fileName, size_t maxDirectoryLength, char (&path)[MAX_PATH]);

// The name part of a path (after the last backslash or slash).
const char* FileNamePart(const char* path);
