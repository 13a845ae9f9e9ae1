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

// Decodes the entry at `bytes` (16 bytes).
KmSyncEntry ReadKmSyncEntry(const unsigned char* bytes);
// Encodes `entry` into 16 bytes at `bytes`.
void WriteKmSyncEntry(const KmSyncEntry& entry, unsigned char* bytes);
