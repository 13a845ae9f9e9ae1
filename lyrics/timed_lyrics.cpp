#include "lyrics/timed_lyrics.h"

#include <cstdlib>

TimedLyrics::~TimedLyrics() { ClearTimedLyrics(*this); }

void ClearTimedLyrics(TimedLyrics& lyrics) {
  std::free(lyrics.displayLines);
  std::free(lyrics.syncpoints);
  std::free(lyrics.textLines);
  std::free(lyrics.textBuffer);
  lyrics.displayLines = nullptr;
  lyrics.syncpoints = nullptr;
  lyrics.textLines = nullptr;
  lyrics.textBuffer = nullptr;
  lyrics.textLineCount = 0;
  lyrics.displayLineCount = 0;
  lyrics.syncpointCount = 0;
}

bool IsTimedLyricsEmpty(const TimedLyrics& lyrics) {
  return !lyrics.textBuffer && !lyrics.textLines && !lyrics.syncpoints &&
         !lyrics.displayLines && lyrics.textLineCount == 0 &&
         lyrics.displayLineCount == 0 && lyrics.syncpointCount == 0;
}
