// The ".km" byte format: a header and the chunks "TEXT" and "SYNC".
//
//   0   "KM\0\0"
//   4   u32 file size - 8
//   8   "TEXT", u32 T, T bytes of text data
//   16+T "SYNC", u32 S, S bytes of 16-byte sync entries
//
// The text data holds eight NUL-terminated header strings (title, artist,
// album, editor and four reserved), then the distinct line texts, each
// NUL-terminated, then 0 to 3 NUL bytes of padding to a multiple of 4.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lyrics/lead_byte.h"

constexpr size_t kKmHeaderSize = 16;       // magic, size, "TEXT", T
constexpr size_t kKmChunkHeaderSize = 8;   // id and size
constexpr size_t kKmMinimumFileSize = 24;  // header and both chunk headers
constexpr int kKmHeaderStringCount = 8;
constexpr uint16_t kKmNoOffset = 0xFFFF;       // end offset of a line's last piece
constexpr uint32_t kKmNoTime = 0xFFFFFFFFu;    // a piece without a timestamp

// One sync entry as stored, little-endian on disk.
struct KmSyncEntry {
  uint16_t line;        // index among the line texts
  uint16_t blankLines;  // empty lines before this line (first piece only)
  uint16_t startByte;
  uint16_t endByte;     // kKmNoOffset for the last piece of a line
  uint32_t startTime;   // centiseconds, or kKmNoTime
  uint32_t endTime;
};
static_assert(sizeof(KmSyncEntry) == 16, "a .km sync entry is 16 bytes");

constexpr size_t kKmSyncEntrySize = sizeof(KmSyncEntry);

// Where the chunks of ".km" bytes lie.
struct KmLayout {
  size_t textSize;  // T: the text data starts at kKmHeaderSize
  size_t syncSize;  // S: the entries start at kKmMinimumFileSize + T
  bool exactSize;   // 24 + T + S is the whole file, with nothing after it
};

// Checks the header and both chunk headers of the `size` bytes: the magic,
// the size field (file size - 8), "TEXT", a T that leaves room for the
// "SYNC" header, "SYNC", and an S that ends within the file. Every offset is
// checked before it is read. False when any of these does not hold.
bool ReadKmLayout(const unsigned char* bytes, size_t size, KmLayout* layout);

// Writes the magic, the size field, "TEXT" with T and, after the text data,
// "SYNC" with S into a file of kKmMinimumFileSize + T + S bytes. The sizes
// must fit 32 bits.
void WriteKmLayout(unsigned char* file, const KmLayout& layout);

// The text data is scanned in the code page of the text: double-byte
// characters are stepped over whole (a trail byte may equal CR or LF).
//
// Moves `pos` past the NUL that ends the string at `pos` within `end` bytes.
// False when a CR or LF comes first or the data ends without a NUL.
bool SkipKmHeaderString(const char* text, size_t end, LeadBytePredicate isLead, size_t& pos);
// The length of the line text at `pos` up to its NUL; false when a CR, LF or
// the end of the data comes first (the text is then not a complete line).
bool MeasureKmLineText(const char* text, size_t pos, size_t end, LeadBytePredicate isLead,
                       size_t& length);
// Counts the line texts from `pos`: they end at a NUL that directly follows
// another NUL, at a CR or LF, or at the end of the data.
size_t CountKmLineTexts(const char* text, size_t pos, size_t end, LeadBytePredicate isLead);

// Decodes the entry at `bytes` (16 bytes).
KmSyncEntry ReadKmSyncEntry(const unsigned char* bytes);
// Encodes `entry` into 16 bytes at `bytes`.
void WriteKmSyncEntry(const KmSyncEntry& entry, unsigned char* bytes);
