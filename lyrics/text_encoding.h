// Lyrics files downloaded today are mostly UTF-8, often with a byte-order
// mark. A text file that starts with a UTF-8 or UTF-16 byte-order mark is
// converted to the system's ANSI code page before it is parsed, so that the
// mark does not show and letters that the code page has read correctly;
// characters it lacks become "?". Files without a mark stay ANSI bytes.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"

enum class TextMark { None, Utf8, Utf16Le, Utf16Be };

// The byte-order mark at the start of the `size` bytes at `data`.
TextMark FindTextMark(const char* data, size_t size);

// Replaces marked contents by their ANSI form (MultiByteToWideChar and
// WideCharToMultiByte on Windows). Native builds, which have no ANSI code
// page, only drop the mark of UTF-8 text and leave UTF-16 text as it is.
LoadStatus ConvertMarkedTextToAnsi(OwnedBuffer& contents);
