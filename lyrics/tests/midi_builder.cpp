#include "lyrics/tests/midi_builder.h"

namespace {

std::string Be32(uint32_t v) {
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
  return out;
}

std::string Be16(uint16_t v) {
  return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

std::string Le32(uint32_t v) {
  std::string out;
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
  return out;
}

}  // namespace

std::string MidiQuantity(uint32_t value) {
  std::string out(1, static_cast<char>(value & 0x7F));
  while (value >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  return out;
}

MidiTrack& MidiTrack::Text(uint32_t delta, const std::string& text) { return Meta(delta, 1, text); }

MidiTrack& MidiTrack::Lyric(uint32_t delta, const std::string& text) {
  return Meta(delta, 5, text);
}

MidiTrack& MidiTrack::Meta(uint32_t delta, uint8_t type, const std::string& data) {
  events_ += MidiQuantity(delta) + '\xFF' + static_cast<char>(type) +
             MidiQuantity(static_cast<uint32_t>(data.size())) + data;
  return *this;
}

MidiTrack& MidiTrack::Tempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
  return Meta(delta, 0x51, Be32(microsecondsPerQuarter).substr(1));
}

MidiTrack& MidiTrack::Channel(uint32_t delta, uint8_t status, std::vector<uint8_t> dataBytes) {
  events_ += MidiQuantity(delta);
  if (status) events_ += static_cast<char>(status);
  for (uint8_t b : dataBytes) events_ += static_cast<char>(b);
  return *this;
}

MidiTrack& MidiTrack::SysEx(uint32_t delta, const std::string& data) {
  events_ += MidiQuantity(delta) + '\xF0' + MidiQuantity(static_cast<uint32_t>(data.size())) + data;
  return *this;
}

MidiTrack& MidiTrack::Raw(uint32_t delta, const std::string& bytes) {
  events_ += MidiQuantity(delta) + bytes;
  return *this;
}

MidiTrack& MidiTrack::End(uint32_t delta) { return Meta(delta, 0x2F, ""); }

std::string MidiHeader(uint16_t division, uint16_t trackCount, uint16_t format, uint32_t length) {
  std::string header = "MThd" + Be32(length) + Be16(format) + Be16(trackCount) + Be16(division);
  if (length > 6) header += std::string(length - 6, '\0');
  return header;
}

std::string MidiTrackChunk(const std::string& events) {
  return MidiTrackChunk(events, static_cast<uint32_t>(events.size()));
}

std::string MidiTrackChunk(const std::string& events, uint32_t declaredLength) {
  return "MTrk" + Be32(declaredLength) + events;
}

std::string MidiFile(uint16_t division, const std::vector<MidiTrack>& tracks, uint16_t format) {
  std::string file = MidiHeader(division, static_cast<uint16_t>(tracks.size()), format);
  for (const MidiTrack& track : tracks) file += MidiTrackChunk(track.Events());
  return file;
}

uint16_t TimecodeDivision(int framesPerSecond, int ticksPerFrame) {
  return static_cast<uint16_t>(((256 - framesPerSecond) << 8) | ticksPerFrame);
}

std::string RiffChunk(const std::string& id, const std::string& contents) {
  std::string chunk = id + Le32(static_cast<uint32_t>(contents.size())) + contents;
  if (contents.size() & 1) chunk += '\0';
  return chunk;
}

std::string RmidFile(const std::vector<std::string>& chunks) {
  std::string body = "RMID";
  for (const std::string& chunk : chunks) body += chunk;
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}
