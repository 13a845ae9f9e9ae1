// Assembles Standard MIDI File bytes for tests, so that test files are
// readable source rather than opaque binaries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A variable-length quantity.
std::string MidiQuantity(uint32_t value);

// The events of one track, each with its delta time.
class MidiTrack {
 public:
  MidiTrack& Text(uint32_t delta, const std::string& text);   // meta 1
  MidiTrack& Lyric(uint32_t delta, const std::string& text);  // meta 5
  MidiTrack& Meta(uint32_t delta, uint8_t type, const std::string& data);
  MidiTrack& Tempo(uint32_t delta, uint32_t microsecondsPerQuarter);
  // A channel message; with `status` 0 the data bytes follow the delta
  // alone (running status).
  MidiTrack& Channel(uint32_t delta, uint8_t status, std::vector<uint8_t> dataBytes);
  // System exclusive 0xF0 with `data` (its closing 0xF7 included by the caller).
  MidiTrack& SysEx(uint32_t delta, const std::string& data);
  // Bytes as they are, after a delta.
  MidiTrack& Raw(uint32_t delta, const std::string& bytes);
  MidiTrack& End(uint32_t delta = 0);

  const std::string& Events() const { return events_; }

 private:
  std::string events_;
};

// "MThd" with its 6 bytes, then an "MTrk" chunk per track.
std::string MidiFile(uint16_t division, const std::vector<MidiTrack>& tracks, uint16_t format = 1);
// The header alone, with any length field and track count.
std::string MidiHeader(uint16_t division, uint16_t trackCount, uint16_t format = 1,
                       uint32_t length = 6);
std::string MidiTrackChunk(const std::string& events);
std::string MidiTrackChunk(const std::string& events, uint32_t declaredLength);

// A timecode division word: `framesPerSecond` stored negated in the high byte.
uint16_t TimecodeDivision(int framesPerSecond, int ticksPerFrame);

// A RIFF "RMID" file with `chunks` (whole chunks, e.g. RiffChunk("data", smf)).
std::string RiffChunk(const std::string& id, const std::string& contents);
std::string RmidFile(const std::vector<std::string>& chunks);
