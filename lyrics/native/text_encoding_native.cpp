#include <cstring>

#include "lyrics/text_encoding.h"

LoadStatus ConvertMarkedTextToAnsi(OwnedBuffer& contents) {
  if (FindTextMark(contents.data(), contents.size()) != TextMark::Utf8) return LoadStatus::Loaded;
  OwnedBuffer rest;
  if (!rest.Assign(contents.data() + 3, contents.size() - 3)) return LoadStatus::OutOfMemory;
  contents = static_cast<OwnedBuffer&&>(rest);
  return LoadStatus::Loaded;
}

// Without an ANSI code page, unmarked UTF-8 stays as it is.
LoadStatus ConvertUnicodeTextToAnsi(OwnedBuffer& contents) { return ConvertMarkedTextToAnsi(contents); }
