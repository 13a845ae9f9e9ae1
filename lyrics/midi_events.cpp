#include "lyrics/midi_events.h"

namespace {

// A variable-length quantity holds at most 28 bits in 4 bytes; a longer one
// is not a number this reader can trust.
constexpr size_t kMaxQuantityBytes = 4;

// Reads the quantity at p (before `end`); returns its byte count, 0 when it
// runs past `end` or past 4 bytes.
size_t ReadQuantity(const unsigned char* p, const unsigned char* end, uint32_t& value) {
  value = 0;
  for (size_t i = 0; i < kMaxQuantityBytes && i < static_cast<size_t>(end - p); ++i) {
    value = (value << 7) | (p[i] & 0x7Fu);
    if (!(p[i] & 0x80)) return i + 1;
  }
  return 0;
}

bool IsChannelStatus(unsigned char status) { return status >= 0x80 && status <= 0xEF; }

}  // namespace

MidiTrackReader StartMidiTrack(const unsigned char* begin, const unsigned char* end) {
  MidiTrackReader reader;
  reader.pos = begin;
  reader.end = end;
  return reader;
}

bool ReadMidiEvent(MidiTrackReader& reader, MidiEvent& event) {
  const unsigned char* p = reader.pos;
  const unsigned char* end = reader.end;
  uint32_t delta = 0;
  const size_t deltaBytes = ReadQuantity(p, end, delta);
  if (deltaBytes == 0) return false;
  p += deltaBytes;
  // Every event is at least 4 bytes after its delta in a sound track, as
  // End of Track (3 bytes) still follows.
  if (end - p < 4) return false;

  unsigned char status = *p;
  event.data = nullptr;
  event.dataLength = 0;
  if (status < 0x80) {
    // Running status: the data bytes follow the delta directly.
    if (!IsChannelStatus(reader.previousStatus)) return false;
    status = reader.previousStatus;
  } else {
    ++p;
  }

  if (IsChannelStatus(status)) {
    // 0xC0 to 0xDF take one data byte, the others two. Both fit: at least
    // three bytes remain after the status byte.
    const bool oneByte = status >= 0xC0 && status <= 0xDF;
    uint32_t dataBytes = oneByte ? p[0] : (uint32_t{p[0]} << 8) | p[1];
    event.status = (uint32_t{status} << 16) | dataBytes;
    p += oneByte ? 1 : 2;
  } else if (status == 0xF0 || status == 0xF7 || status == 0xFF) {
    uint32_t type = 0;
    if (status == 0xFF) type = *p++;
    uint32_t size = 0;
    const size_t sizeBytes = ReadQuantity(p, end, size);
    if (sizeBytes == 0) return false;
    p += sizeBytes;
    if (size > static_cast<size_t>(end - p)) return false;
    event.status = (uint32_t{status} << 16) | type;
    event.data = p;
    event.dataLength = size;
    p += size;
  } else {
    return false;
  }

  event.delta = delta;
  event.length = static_cast<size_t>(p - reader.pos);
  reader.pos = p;
  reader.previousStatus = status;
  return true;
}
