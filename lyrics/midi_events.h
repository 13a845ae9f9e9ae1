// The events of one track of a Standard MIDI File, read one at a time.
// Every read is bounded by the end of the track.
#pragma once

#include <cstddef>
#include <cstdint>

// Status words: the status byte in bits 16 to 23; for a meta event its type
// in bits 0 to 7, for a channel message its data bytes in bits 0 to 15.
constexpr uint32_t kMidiMetaText = 0xFF0001;
constexpr uint32_t kMidiMetaLyric = 0xFF0005;
constexpr uint32_t kMidiMetaEndOfTrack = 0xFF002F;
constexpr uint32_t kMidiMetaSetTempo = 0xFF0051;

struct MidiEvent {
  uint32_t delta = 0;                   // ticks since the previous event
  size_t length = 0;                    // bytes of the whole event, delta included
  uint32_t status = 0;                  // status word
  const unsigned char* data = nullptr;  // meta or system-exclusive data
  size_t dataLength = 0;
};

inline bool IsMidiTextEvent(const MidiEvent& event) {
  return event.status == kMidiMetaText || event.status == kMidiMetaLyric;
}

struct MidiTrackReader {
  const unsigned char* pos = nullptr;
  const unsigned char* end = nullptr;
  unsigned char previousStatus = 0;  // status byte of the event before; 0 at the start
};

MidiTrackReader StartMidiTrack(const unsigned char* begin, const unsigned char* end);

// Reads the event at the reader's position and moves past it. Returns false,
// leaving the reader where it was, when the track ends there: too few bytes
// left, running status without a channel message before it, a status byte
// that no track may hold, or an event that does not fit in the track.
bool ReadMidiEvent(MidiTrackReader& reader, MidiEvent& event);
