#include "lyrics/lrc_tag.h"

#include <cstddef>

namespace {

// Offsets are reported as int32_t; nothing is searched beyond that.
constexpr size_t kMaxOffset = INT32_MAX;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Finds the first `wanted` at or after `pos`, stepping over double-byte
// characters (whose trail byte may equal "[" or "]"). False at the NUL.
bool FindChar(const char* text, size_t pos, char wanted, LeadBytePredicate isLead,
              size_t& found) {
  while (pos <= kMaxOffset) {
    char c = text[pos];
    if (c == '\0') return false;
    if (c == wanted) {
      found = pos;
      return true;
    }
    pos += (text[pos + 1] != '\0' && isLead(static_cast<unsigned char>(c))) ? 2 : 1;
  }
  return false;
}

// Whether the key of `length` bytes at `key` is `name`, ignoring case.
bool KeyIs(const char* key, size_t length, const char* name) {
  for (size_t i = 0; i < length; ++i) {
    if (name[i] == '\0' || ToLower(key[i]) != name[i]) return false;
  }
  return name[length] == '\0';
}

// [offset:n]: an optionally negative count of milliseconds that fits int32.
bool ParseOffset(const char* value, size_t length, int32_t& centiseconds) {
  if (length == 0) return false;
  const bool negative = value[0] == '-';
  size_t i = negative ? 1 : 0;
  if (i == length) return false;
  const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
  int64_t milliseconds = 0;
  for (; i < length; ++i) {
    if (!IsDigit(value[i])) return false;
    milliseconds = milliseconds * 10 + (value[i] - '0');
    if (milliseconds > limit) return false;
  }
  if (negative) milliseconds = -milliseconds;
  centiseconds = static_cast<int32_t>(milliseconds / 10);
  return true;
}

// The value of a time tag after its minutes: "ss.xx", ".xx" or "xx".
bool ParseTime(int32_t minutes, const char* value, size_t length, int32_t& centiseconds) {
  if (length == 0) return false;
  size_t point = length;
  for (size_t i = 0; i < length; ++i) {
    if (value[i] == '.') {
      if (point != length) return false;
      point = i;
    } else if (!IsDigit(value[i])) {
      return false;
    }
  }
  if (length == 1 && point == 0) return false;

  // Seconds are unbounded in the format; saturate well above what fits.
  const int64_t kSaturated = int64_t{INT32_MAX} + 1;
  int64_t seconds = 0;
  int32_t hundredths = 0;
  const size_t hundredthsFrom = point == length ? 0 : point + 1;
  if (point != length) {
    for (size_t i = 0; i < point; ++i) {
      seconds = seconds * 10 + (value[i] - '0');
      if (seconds > kSaturated) seconds = kSaturated;
    }
  }
  // All digits as one decimal number, modulo 100.
  for (size_t i = hundredthsFrom; i < length; ++i) {
    hundredths = (hundredths * 10 + (value[i] - '0')) % 100;
  }
  const int64_t total = int64_t{minutes} * 6000 + seconds * 100 + hundredths;
  if (total > INT32_MAX) return false;
  centiseconds = static_cast<int32_t>(total);
  return true;
}

LrcTagKind Classify(const char* key, size_t keyLength, const char* value, size_t valueLength,
                    int32_t& number) {
  if (keyLength == 0) return valueLength == 0 ? kLrcEmptyTag : kLrcOtherTag;

  int32_t minutes = 0;
  if (keyLength == 1) {
    if (!IsDigit(key[0])) return kLrcOtherTag;
    minutes = key[0] - '0';
  } else if (keyLength == 2) {
    if (KeyIs(key, 2, "ti")) return kLrcTitleTag;
    if (KeyIs(key, 2, "al")) return kLrcAlbumTag;
    if (KeyIs(key, 2, "ar")) return kLrcArtistTag;
    if (KeyIs(key, 2, "la")) return kLrcLanguageTag;
    if (KeyIs(key, 2, "by")) return kLrcByTag;
    if (!IsDigit(key[0]) || !IsDigit(key[1])) return kLrcOtherTag;
    minutes = (key[0] - '0') * 10 + (key[1] - '0');
  } else if (KeyIs(key, keyLength, "offset")) {
    int32_t offset = 0;
    if (!ParseOffset(value, valueLength, offset)) return kLrcOtherTag;
    number = offset;
    return kLrcOffsetTag;
  } else {
    return kLrcOtherTag;
  }

  int32_t time = 0;
  if (!ParseTime(minutes, value, valueLength, time)) return kLrcOtherTag;
  number = time;
  return kLrcTimeTag;
}

}  // namespace

LrcTagKind ParseLrcTag(char* text, LeadBytePredicate isLead, int32_t& open, int32_t& close,
                       int32_t& value) {
  size_t bracket = 0, colon = 0, end = 0;
  if (!FindChar(text, 0, '[', isLead, bracket)) return kLrcNoTag;
  if (!FindChar(text, bracket + 1, ':', isLead, colon)) return kLrcNoTag;
  if (!FindChar(text, colon + 1, ']', isLead, end)) return kLrcNoTag;

  open = static_cast<int32_t>(bracket);
  close = static_cast<int32_t>(end);
  return Classify(text + bracket + 1, colon - bracket - 1, text + colon + 1, end - colon - 1,
                  value);
}

bool ParseLrcTimeText(const char* text, size_t length, int32_t& value) {
  size_t colon = 0;
  while (colon < length && text[colon] != ':') ++colon;
  if (colon == length) return false;
  int32_t number = 0;
  if (Classify(text, colon, text + colon + 1, length - colon - 1, number) != kLrcTimeTag) {
    return false;
  }
  value = number;
  return true;
}
