#include "lyrics/midi_file.h"

#include "lyrics/midi_parser.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/riff_midi.h"

LoadStatus ReadMidiFile(const char* path, TimedLyrics& lyrics) {
  ClearTimedLyrics(lyrics);
  OwnedBuffer contents;
  LoadStatus status = ReadWholeFile(path, contents);
  if (status != LoadStatus::Loaded) return status;
  const unsigned char* data = nullptr;
  size_t size = 0;
  const unsigned char* file = reinterpret_cast<const unsigned char*>(contents.data());
  if (FindRiffMidiData(file, contents.size(), data, size) == RiffMidiResult::NoData) {
    return LoadStatus::Invalid;
  }
  // The same lower bound as the Windows reader.
  if (size <= 8) return LoadStatus::Invalid;
  return ParseMidiLyrics(data, size, SystemLeadByte, lyrics);
}
