#include <windows.h>

#include <climits>

#include "lyrics/text_encoding.h"

namespace {

// UTF-16 code units of the contents after the mark (of `markSize` bytes),
// in machine order.
LoadStatus DecodeToWide(const OwnedBuffer& contents, TextMark mark, size_t markSize,
                        OwnedBuffer& wide, int& units) {
  const char* data = contents.data();
  const size_t size = contents.size();
  if (mark == TextMark::Utf8) {
    const size_t bytes = size - markSize;
    const char* text = data + markSize;
    if (bytes > INT_MAX) return LoadStatus::Invalid;
    units = bytes ? MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(bytes), nullptr, 0) : 0;
    if (bytes && units <= 0) return LoadStatus::Invalid;
    if (!wide.Allocate(size_t(units) * sizeof(WCHAR))) return LoadStatus::OutOfMemory;
    if (units) {
      MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(bytes),
                          reinterpret_cast<WCHAR*>(wide.data()), units);
    }
    return LoadStatus::Loaded;
  }
  // UTF-16: a dangling odd byte at the end is dropped.
  const size_t count = (size - 2) / 2;
  if (count > INT_MAX) return LoadStatus::Invalid;
  units = static_cast<int>(count);
  if (!wide.Allocate(count * sizeof(WCHAR))) return LoadStatus::OutOfMemory;
  const unsigned char* in = reinterpret_cast<const unsigned char*>(data + 2);
  WCHAR* out = reinterpret_cast<WCHAR*>(wide.data());
  for (size_t i = 0; i < count; ++i) {
    const unsigned lo = in[2 * i + (mark == TextMark::Utf16Be ? 1 : 0)];
    const unsigned hi = in[2 * i + (mark == TextMark::Utf16Be ? 0 : 1)];
    out[i] = static_cast<WCHAR>(lo | (hi << 8));
  }
  return LoadStatus::Loaded;
}

// Replaces the contents, text of `mark` after `markSize` bytes, by their
// ANSI form.
LoadStatus ConvertToAnsi(OwnedBuffer& contents, TextMark mark, size_t markSize) {
  OwnedBuffer wide;
  int units = 0;
  LoadStatus status = DecodeToWide(contents, mark, markSize, wide, units);
  if (status != LoadStatus::Loaded) return status;
  const WCHAR* text = reinterpret_cast<const WCHAR*>(wide.data());
  const int bytes =
      units ? WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, "?", nullptr) : 0;
  if (units && bytes <= 0) return LoadStatus::Invalid;
  OwnedBuffer ansi;
  if (!ansi.Allocate(static_cast<size_t>(bytes))) return LoadStatus::OutOfMemory;
  if (bytes) WideCharToMultiByte(CP_ACP, 0, text, units, ansi.data(), bytes, "?", nullptr);
  contents = static_cast<OwnedBuffer&&>(ansi);
  return LoadStatus::Loaded;
}

}  // namespace

LoadStatus ConvertMarkedTextToAnsi(OwnedBuffer& contents) {
  const TextMark mark = FindTextMark(contents.data(), contents.size());
  if (mark == TextMark::None) return LoadStatus::Loaded;
  return ConvertToAnsi(contents, mark, mark == TextMark::Utf8 ? 3 : 2);
}

LoadStatus ConvertUnicodeTextToAnsi(OwnedBuffer& contents) {
  if (FindTextMark(contents.data(), contents.size()) == TextMark::None &&
      IsMultiByteUtf8(contents.data(), contents.size())) {
    return ConvertToAnsi(contents, TextMark::Utf8, 0);
  }
  return ConvertMarkedTextToAnsi(contents);
}
