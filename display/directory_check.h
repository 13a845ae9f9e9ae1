// The directory test behind CheckDirectory, with the file system search
// passed in so that the path handling builds and tests without Windows.
#pragma once

#include <cstddef>

#include "lyrics/lead_byte.h"

constexpr size_t kDirectoryBufferSize = 260;
// Longest directory accepted: it must still fit with "\*" appended.
constexpr size_t kMaxDirectoryLength = 256;

// Whether `pattern`, a directory followed by "\*", matches any entry.
using DirectorySearch = bool (*)(const char* pattern);

// Terminates `path` in its last byte, then tells whether it names an
// existing directory. On success the path is kept without a trailing
// backslash ("C:\" becomes "C:"); on failure it is left as it was. An empty
// path, a lone backslash and one of more than kMaxDirectoryLength characters
// fail.
bool CheckDirectoryWith(char (&path)[kDirectoryBufferSize], LeadBytePredicate isLead,
                        DirectorySearch search);
