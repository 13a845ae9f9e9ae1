#include "lyrics/km_format.h"

#include <cstring>

#include "lyrics/byte_order.h"

namespace {

constexpr char kKmMagic[4] = {'K', 'M', '\0', '\0'};
constexpr char kKmTextId[4] = {'T', 'E', 'X', 'T'};
constexpr char kKmSyncId[4] = {'S', 'Y', 'N', 'C'};

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool ReadKmLayout(const unsigned char* bytes, size_t size, KmLayout* layout) {
  if (size < kKmMinimumFileSize) return false;
  if (std::memcmp(bytes, kKmMagic, 4) != 0) return false;
  if (uint64_t{ReadLe32(bytes + 4)} + 8 != size) return false;
  if (std::memcmp(bytes + 8, kKmTextId, 4) != 0) return false;
  const uint64_t textSize = ReadLe32(bytes + 12);
  // The "SYNC" chunk header must fit after the text.
  if (textSize + kKmMinimumFileSize > size) return false;
  const unsigned char* sync = bytes + kKmHeaderSize + textSize;
  if (std::memcmp(sync, kKmSyncId, 4) != 0) return false;
  const uint64_t syncSize = ReadLe32(sync + 4);
  if (textSize + syncSize + kKmMinimumFileSize > size) return false;
  layout->textSize = static_cast<size_t>(textSize);
  layout->syncSize = static_cast<size_t>(syncSize);
  layout->exactSize = textSize + syncSize + kKmMinimumFileSize == size;
  return true;
}

void WriteKmLayout(unsigned char* file, const KmLayout& layout) {
  const size_t total = kKmMinimumFileSize + layout.textSize + layout.syncSize;
  std::memcpy(file, kKmMagic, 4);
  WriteLe32(file + 4, static_cast<uint32_t>(total - 8));
  std::memcpy(file + 8, kKmTextId, 4);
  WriteLe32(file + 12, static_cast<uint32_t>(layout.textSize));
  unsigned char* sync = file + kKmHeaderSize + layout.textSize;
  std::memcpy(sync, kKmSyncId, 4);
  WriteLe32(sync + 4, static_cast<uint32_t>(layout.syncSize));
}

bool SkipKmHeaderString(const char* text, size_t end, LeadBytePredicate isLead, size_t& pos) {
  while (pos < end) {
    char c = text[pos];
    if (c == '\0') {
      ++pos;
      return true;
    }
    if (IsLineBreak(c)) return false;
    pos += CharacterSize(text, pos, end, isLead);
  }
  return false;
}

bool MeasureKmLineText(const char* text, size_t pos, size_t end, LeadBytePredicate isLead,
                       size_t& length) {
  for (size_t q = pos; q < end;) {
    char c = text[q];
    if (c == '\0') {
      length = q - pos;
      return true;
    }
    if (IsLineBreak(c)) return false;
    q += CharacterSize(text, q, end, isLead);
  }
  return false;
}

size_t CountKmLineTexts(const char* text, size_t pos, size_t end, LeadBytePredicate isLead) {
  size_t count = 0;
  size_t length = 0;
  // Every text starts right after a NUL, so a NUL here is a second NUL.
  while (pos < end && text[pos] != '\0' && MeasureKmLineText(text, pos, end, isLead, length)) {
    ++count;
    pos += length + 1;
  }
  return count;
}

KmSyncEntry ReadKmSyncEntry(const unsigned char* bytes) {
  KmSyncEntry entry;
  entry.line = ReadLe16(bytes);
  entry.blankLines = ReadLe16(bytes + 2);
  entry.startByte = ReadLe16(bytes + 4);
  entry.endByte = ReadLe16(bytes + 6);
  entry.startTime = ReadLe32(bytes + 8);
  entry.endTime = ReadLe32(bytes + 12);
  return entry;
}

void WriteKmSyncEntry(const KmSyncEntry& entry, unsigned char* bytes) {
  WriteLe16(bytes, entry.line);
  WriteLe16(bytes + 2, entry.blankLines);
  WriteLe16(bytes + 4, entry.startByte);
  WriteLe16(bytes + 6, entry.endByte);
  WriteLe32(bytes + 8, entry.startTime);
  WriteLe32(bytes + 12, entry.endTime);
}
