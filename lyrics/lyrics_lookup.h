// Finds the lyrics of a media file without asking the user: lyrics files
// beside the song or in the lyrics directory, or the lyric events of a
// MIDI song itself, tried in a fixed order.
#pragma once

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/text_parser.h"
#include "lyrics/timed_lyrics.h"

enum class LyricsFormat { Km, Midi, Lrc, Text };

struct LyricsCandidate {
  LyricsFormat format;
  bool fits;                       // false: too long; it ends the lookup
  char path[kMaxPathLength + 1];   // valid when `fits`
};

// The candidates for `mediaPath`, in the order they are tried, up to and
// including the first one that does not fit in a path:
//   directory + name + ".km", base + ".km", the song itself if MIDI,
//   then the same with ".lrc" and ".txt".
// The name runs from the last backslash (included) to the first "." after
// it, the base from the start of the path to that ".". The directory
// candidates exist only when `lyricsDirectory` is not empty.
struct LyricsCandidates {
  LyricsCandidate items[7];
  int count;
};
void ListLyricsCandidates(const char* mediaPath, const char* lyricsDirectory,
                          LeadBytePredicate isLead, LyricsCandidates& candidates);

// Called with each candidate path before it is tried.
using CandidateObserver = void (*)(void* context, const char* path);

// Clears `lyrics`, then tries the candidates until one loads. Returns
// Loaded, or the failure of the last candidate tried (Invalid when a
// candidate does not fit); the model is then empty.
LoadStatus FindLyrics(const char* mediaPath, const char* lyricsDirectory,
                      const PlainTextTiming& textTiming, TimedLyrics& lyrics,
                      CandidateObserver observer = nullptr, void* context = nullptr);
