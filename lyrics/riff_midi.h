// The Standard MIDI File inside a RIFF "RMID" file (.rmi): the contents of
// its "data" chunk. Other files are taken whole.
#pragma once

#include <cstddef>

enum class RiffMidiResult {
  Plain,    // not a RIFF "RMID" file: the whole file is the MIDI data
  Wrapped,  // the "data" chunk was found
  NoData,   // a RIFF "RMID" file without a complete "data" chunk
};

// Sets `data` and `size` to the MIDI data of the file at `file`.
RiffMidiResult FindRiffMidiData(const unsigned char* file, size_t fileSize,
                                const unsigned char*& data, size_t& size);
