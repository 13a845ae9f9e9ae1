#include "lyrics/km_format.h"

#include "lyrics/byte_order.h"

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
