// The scripted player's playlist on a timeline. One step per line:
//   SECONDS URL    the item URL starts playing at SECONDS of the timeline
//   SECONDS end    playback ends
// Blank lines and lines starting with '#' are skipped; steps are in time
// order. A URL without a drive or a leading backslash is taken relative to
// the script's folder.
#pragma once

#include <string>
#include <vector>

struct SongStep {
  double start = 0;   // seconds on the timeline
  std::wstring url;   // empty for the end
};

struct SongScript {
  std::vector<SongStep> steps;
};

// What plays at one moment of the timeline.
struct SongMoment {
  int step = -1;          // index of the playing item, -1 before the first
  bool ended = false;     // at or after an end step
  double position = 0;    // seconds into the item
  double duration = 0;    // seconds up to the next step, 0 when none follows
};

// Parses the script's text; `folder` (with a trailing backslash, or empty)
// completes relative URLs. False with a message naming the line otherwise.
bool ParseSongScript(const std::string& text, const std::wstring& folder, SongScript& script,
                     std::string& error);
SongMoment SongMomentAt(const SongScript& script, double seconds);
