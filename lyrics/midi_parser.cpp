#include "lyrics/midi_parser.h"

#include <cstdlib>
#include <cstring>

#include "lyrics/midi_events.h"
#include "lyrics/midi_lines.h"
#include "lyrics/owned_buffer.h"

namespace {

constexpr size_t kFileHeaderSize = 14;      // "MThd", length, format, tracks, division
constexpr size_t kChunkHeaderSize = 8;      // id and big-endian length
constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 bpm

uint32_t ReadBe16(const unsigned char* p) { return (uint32_t{p[0]} << 8) | p[1]; }

uint32_t ReadBe32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint64_t AddTicks(uint64_t ticks, uint32_t delta) {
  return ticks > UINT64_MAX - delta ? UINT64_MAX : ticks + delta;
}

// How ticks from the start of a track become centiseconds.
struct MidiTiming {
  uint64_t factor = 0;       // metrical: the tempo; timecode: 100
  uint64_t denominator = 0;  // metrical: ticks per quarter note * 10000; timecode: ticks per second
};

// The division word of the header. Metrical: ticks per quarter note.
// Timecode: the high byte is minus the frame rate (29, drop-frame, counts as
// 30), the low byte ticks per frame. A division that makes no ticks fails.
bool ReadDivision(uint32_t division, bool& timecode, uint64_t& ticks) {
  timecode = (division & 0x8000) != 0;
  if (timecode) {
    uint64_t framesPerSecond = 256 - (division >> 8);
    if (framesPerSecond == 29) framesPerSecond = 30;
    ticks = framesPerSecond * (division & 0xFF);
  } else {
    ticks = division;
  }
  return ticks != 0;
}

// Latest start time: a syllable ends 1 centisecond after it starts.
constexpr int32_t kLatestTime = INT32_MAX - 1;

// Ticks are counted from the start of the track and converted as a whole,
// so that no rounding adds up over many events. Times past the range of a
// signed 32-bit count stay at its end.
int32_t Centiseconds(uint64_t ticks, const MidiTiming& timing) {
  if (ticks > UINT64_MAX / timing.factor) return kLatestTime;
  const uint64_t time = ticks * timing.factor / timing.denominator;
  return time > uint64_t{kLatestTime} ? kLatestTime : static_cast<int32_t>(time);
}

// Karaoke files put song information in texts that begin with '@'
// ("@T" title, "@K" file type, "@L" language, ...).
bool IsInformationText(const MidiEvent& event) {
  return event.dataLength > 0 && event.data[0] == '@';
}

// Where the lyrics begin: the reader at their first event, the ticks of the
// track before it, and the text and lyric events from there to End of Track.
struct LyricsStart {
  MidiTrackReader reader;
  uint64_t ticks = 0;
  size_t eventCount = 0;
  size_t textBytes = 0;
};

void CountLyricEvents(LyricsStart& start) {
  MidiTrackReader reader = start.reader;
  MidiEvent event;
  while (ReadMidiEvent(reader, event) && event.status != kMidiMetaEndOfTrack) {
    if (!IsMidiTextEvent(event)) continue;
    ++start.eventCount;
    start.textBytes += event.dataLength;
  }
}

// The first pass: the first track with a text or lyric event after its
// start holds the lyrics, from that event on; texts at time 0 are song
// information. (The event's time from the track start is what counts, not
// its delta: a syllable often shares its tick with the note-off before it.)
// The song tempo is the first Set Tempo of the lyrics track before its
// lyrics, else that of the first track, else 120 beats per minute; later
// changes are ignored.
bool FindLyrics(const unsigned char* data, size_t size, size_t pos, uint32_t trackCount,
                uint32_t& tempo, LyricsStart& start) {
  tempo = kDefaultTempo;
  for (uint32_t track = 0; track < trackCount; ++track) {
    if (size - pos < kChunkHeaderSize || std::memcmp(data + pos, "MTrk", 4) != 0) return false;
    const size_t begin = pos + kChunkHeaderSize;
    const uint32_t length = ReadBe32(data + pos + 4);
    const bool cutShort = length > size - begin;
    const size_t end = cutShort ? size : begin + length;

    MidiTrackReader reader = StartMidiTrack(data + begin, data + end);
    uint64_t ticks = 0;
    uint32_t trackTempo = 0;
    // A text at time 0 directly before the first timed one is its syllable
    // sung at the very start, unless it is song information.
    bool candidateBefore = false;
    MidiTrackReader candidate;
    MidiEvent event;
    for (;;) {
      const MidiTrackReader before = reader;
      if (!ReadMidiEvent(reader, event) || event.status == kMidiMetaEndOfTrack) break;
      if (IsMidiTextEvent(event) && AddTicks(ticks, event.delta) != 0) {
        if (trackTempo) tempo = trackTempo;
        start.reader = candidateBefore ? candidate : before;
        start.ticks = ticks;
        CountLyricEvents(start);
        return true;
      }
      ticks = AddTicks(ticks, event.delta);
      if (event.status == kMidiMetaSetTempo && event.dataLength == 3 && trackTempo == 0) {
        // A tempo of 0 would stop the clock; it is no tempo at all.
        trackTempo =
            (uint32_t{event.data[0]} << 16) | (uint32_t{event.data[1]} << 8) | event.data[2];
      }
      candidateBefore = IsMidiTextEvent(event) && !IsInformationText(event);
      if (candidateBefore) candidate = before;
    }
    if (track == 0 && trackTempo) tempo = trackTempo;
    if (cutShort) return false;
    pos = end;
  }
  return false;
}

// A malloc'ed array that is freed unless released.
template <typename T>
struct ScopedArray {
  T* items = nullptr;
  explicit ScopedArray(size_t count) : items(AllocateArray<T>(count)) {}
  ~ScopedArray() { std::free(items); }
  ScopedArray(const ScopedArray&) = delete;
  ScopedArray& operator=(const ScopedArray&) = delete;
  T* Release() {
    T* released = items;
    items = nullptr;
    return released;
  }
};

}  // namespace

LoadStatus ParseMidiLyrics(const unsigned char* data, size_t size, LeadBytePredicate isLead,
                           TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  if (!data || size < kFileHeaderSize || std::memcmp(data, "MThd", 4) != 0) {
    return LoadStatus::Invalid;
  }
  const uint32_t headerLength = ReadBe32(data + 4);
  if (headerLength < 6 || headerLength > size - kChunkHeaderSize) return LoadStatus::Invalid;
  const uint32_t trackCount = ReadBe16(data + 10);
  if (trackCount == 0) return LoadStatus::Invalid;
  bool timecode = false;
  uint64_t ticks = 0;
  if (!ReadDivision(ReadBe16(data + 12), timecode, ticks)) return LoadStatus::Invalid;

  uint32_t tempo = 0;
  LyricsStart start;
  if (!FindLyrics(data, size, kChunkHeaderSize + headerLength, trackCount, tempo, start)) {
    return LoadStatus::Invalid;
  }
  if (start.eventCount > INT32_MAX) return LoadStatus::Invalid;
  MidiTiming timing;
  if (timecode) {
    timing.factor = 100;
    timing.denominator = ticks;
  } else {
    timing.factor = tempo;
    timing.denominator = ticks * 10000;
  }

  // The text, a CR and a NUL: the last line's terminator fits after the text.
  OwnedBuffer text;
  if (start.textBytes > SIZE_MAX - 2 || !text.Allocate(start.textBytes + 2)) {
    return LoadStatus::OutOfMemory;
  }
  text.data()[start.textBytes] = '\r';
  text.data()[start.textBytes + 1] = '\0';
  ScopedArray<Syncpoint> syncpoints(start.eventCount);
  if (!syncpoints.items) return LoadStatus::OutOfMemory;

  // The second pass: every counted event becomes a syllable or is dropped.
  MidiLineWriter writer(text.data(), syncpoints.items, isLead);
  MidiTrackReader reader = start.reader;
  uint64_t now = start.ticks;
  for (size_t handled = 0; handled < start.eventCount;) {
    MidiEvent event;
    if (!ReadMidiEvent(reader, event)) return LoadStatus::Invalid;
    now = AddTicks(now, event.delta);
    if (!IsMidiTextEvent(event)) continue;
    writer.AddEvent(event.data, event.dataLength, Centiseconds(now, timing));
    ++handled;
  }
  writer.Finish();
  const size_t syncpointCount = writer.syncpointCount();
  const size_t lineCount = writer.lineCount();
  if (syncpointCount == 0 || lineCount > kMaxMidiLines) return LoadStatus::Invalid;

  ScopedArray<TextLine> textLines(lineCount);
  ScopedArray<DisplayLine> displayLines(lineCount);
  if (!textLines.items || !displayLines.items) return LoadStatus::OutOfMemory;
  // Each line's pieces are consecutive, and so are the lines in the text.
  for (size_t i = 0; i < syncpointCount; ++i) {
    const Syncpoint& piece = syncpoints.items[i];
    if (i == 0 || piece.line != syncpoints.items[i - 1].line) {
      displayLines.items[piece.line].textLine = piece.line;
      displayLines.items[piece.line].firstSyncpoint = static_cast<int32_t>(i);
    }
    textLines.items[piece.line].length = piece.endByte;
  }
  size_t offset = 0;
  for (size_t k = 0; k < lineCount; ++k) {
    TextLine& line = textLines.items[k];
    line.text = text.data() + offset;
    line.width = 0;
    offset += static_cast<size_t>(line.length);
    text.data()[offset - 1] = ' ';  // the NUL that ended the line
  }

  lyrics.textBuffer = text.Release();
  lyrics.textLines = textLines.Release();
  lyrics.syncpoints = syncpoints.Release();
  lyrics.displayLines = displayLines.Release();
  lyrics.textLineCount = static_cast<int32_t>(lineCount);
  lyrics.displayLineCount = static_cast<int32_t>(lineCount);
  lyrics.syncpointCount = static_cast<int32_t>(syncpointCount);
  return LoadStatus::Loaded;
}
