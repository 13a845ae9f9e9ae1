#include "tools/kmtool/lyrics_dump.h"

#include <cstdio>

namespace {

void AppendQuoted(std::string& out, const char* text, int32_t length) {
  out += '"';
  for (int32_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c <= 0x7E && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  out += '"';
}

void AppendFormat(std::string& out, const char* format, long a, long b = 0, long c = 0,
                  long d = 0, long e = 0, long f = 0, long g = 0) {
  char line[160];
  std::snprintf(line, sizeof line, format, a, b, c, d, e, f, g);
  out += line;
}

}  // namespace

std::string FormatLyricsDump(const TimedLyrics& lyrics) {
  std::string out;
  AppendFormat(out, "text-lines %ld\n", lyrics.textLineCount);
  for (int32_t i = 0; i < lyrics.textLineCount; ++i) {
    const TextLine& line = lyrics.textLines[i];
    AppendFormat(out, "T %ld %ld ", i, line.length);
    AppendQuoted(out, line.text, line.length);
    out += '\n';
  }
  AppendFormat(out, "display-lines %ld\n", lyrics.displayLineCount);
  for (int32_t i = 0; i < lyrics.displayLineCount; ++i) {
    const DisplayLine& line = lyrics.displayLines[i];
    AppendFormat(out, "D %ld %ld %ld\n", i, line.textLine, line.firstSyncpoint);
  }
  AppendFormat(out, "syncpoints %ld\n", lyrics.syncpointCount);
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    AppendFormat(out, "S %ld %ld %ld %ld %ld %ld %ld\n", i, piece.line, piece.endByte,
                 piece.startPos, piece.endPos, piece.startTime, piece.endTime);
  }
  return out;
}
