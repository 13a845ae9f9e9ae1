// Lyrics files downloaded today are mostly UTF-8, often with a byte-order
// mark. A text file that starts with a UTF-8 or UTF-16 byte-order mark is
// converted to the system's ANSI code page before it is parsed, so that the
// mark does not show and letters that the code page has read correctly;
// characters it lacks become "?". The plug-ins also convert unmarked text
// that can only be UTF-8; everything else stays ANSI bytes.
#pragma once

#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"

enum class TextMark { None, Utf8, Utf16Le, Utf16Be };

// The byte-order mark at the start of the `size` bytes at `data`.
TextMark FindTextMark(const char* data, size_t size);

// Whether the `size` bytes at `data` are valid UTF-8 (shortest forms, no
// surrogates, nothing past U+10FFFF) and hold at least one multi-byte
// sequence: text of the ANSI code page with letters beyond ASCII is almost
// never that.
bool IsMultiByteUtf8(const char* data, size_t size);

// Replaces marked contents by their ANSI form (MultiByteToWideChar and
// WideCharToMultiByte on Windows). Native builds, which have no ANSI code
// page, only drop the mark of UTF-8 text and leave UTF-16 text as it is.
LoadStatus ConvertMarkedTextToAnsi(OwnedBuffer& contents);

// As ConvertMarkedTextToAnsi, and unmarked contents for which
// IsMultiByteUtf8 holds are converted from UTF-8 as well (native builds
// leave them as they are). The plug-ins read LRC and plain-text lyrics
// through it; anything else stays ANSI bytes.
LoadStatus ConvertUnicodeTextToAnsi(OwnedBuffer& contents);
