// Whether a path names an existing directory; on success the path is kept
// without a trailing backslash (a drive root as "C:"). Used for the lyrics
// directory of the plug-ins and by the editor.
#pragma once

#include "display/directory_check.h"

bool CheckDirectory(char (&path)[kDirectoryBufferSize]);
