#include "editor/formats/lrc_writing.h"

namespace {

constexpr const char* kInformationKeys[kHeaderFieldCount] = {"ti", "ar", "al", "by"};
constexpr int32_t kCentisecondsPerMinute = 6000;
// Time tags hold two minute digits; later times keep 99 minutes and count
// the rest in seconds beyond 59, which the LRC tag parser reads back.
constexpr int32_t kMostTagMinutes = 99;

// Two digits or more.
char* WriteNumber(int32_t value, char* out) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 || count < 2);
  while (count > 0) *out++ = digits[--count];
  return out;
}

}  // namespace

bool AppendTimeTag(int32_t time, char open, char close, ByteBuilder* out) {
  int32_t minutes = time / kCentisecondsPerMinute;
  if (minutes > kMostTagMinutes) minutes = kMostTagMinutes;
  const int32_t rest = time - minutes * kCentisecondsPerMinute;
  char tag[40];
  char* end = tag;
  *end++ = open;
  end = WriteNumber(minutes, end);
  *end++ = ':';
  end = WriteNumber(rest / 100, end);
  *end++ = '.';
  end = WriteNumber(rest % 100, end);
  *end++ = close;
  return out->Append(tag, static_cast<size_t>(end - tag));
}

bool AppendHeaderTags(const DocumentSnapshot& snapshot, ByteBuilder* out) {
  for (int field = 0; field < kHeaderFieldCount; ++field) {
    const int32_t start = snapshot.header().valueStart[field];
    const int32_t end = snapshot.header().valueEnd[field];
    if (start == end) continue;
    if (!out->Push('[') || !out->AppendString(kInformationKeys[field]) || !out->Push(':') ||
        !snapshot.AppendBytes(start, end, out) || !out->AppendString("]\r\n")) {
      return false;
    }
  }
  return true;
}

