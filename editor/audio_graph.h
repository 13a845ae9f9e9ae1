// The DirectShow graphs of the editor: the decoding graph that writes the
// open audio file as "wav.tmp" beside the program, and the playback graph
// that plays "wav.tmp" through the tee into the audio renderer and into the
// lyrics display filter. One object holds whichever graph exists.
#pragma once

#include <windows.h>

#include <cstdint>

// The C runtime's string functions stay usable beside DirectShow.
#ifndef NO_DSHOW_STRSAFE
#define NO_DSHOW_STRSAFE
#endif
#include <dshow.h>

#include "filters/lyrics_display/ilyrics_display.h"

// Reference time of the graph: 100-nanosecond units; the editor shows and
// exchanges centiseconds (truncated).
constexpr int64_t kUnitsPerCentisecond = 100000;
inline int32_t Centiseconds(int64_t time) {
  return static_cast<int32_t>(time / kUnitsPerCentisecond);
}

// The path of the work file "wav.tmp" beside the program; false when the
// program's directory has no backslash or is too long for the name.
bool WorkFilePath(char (&path)[MAX_PATH]);

class AudioGraph {
 public:
  AudioGraph() = default;
  ~AudioGraph() { TearDown(); }
  AudioGraph(const AudioGraph&) = delete;
  AudioGraph& operator=(const AudioGraph&) = delete;

  // Both builders first tear down any graph. The video window of the graph
  // is placed in `strip` (owned by it, drained into `main`) and the graph's
  // events are posted to `main` as `notifyMessage`. On failure no graph
  // remains.
  HRESULT BuildDecoding(const char* audioPath, HWND strip, HWND main, UINT notifyMessage);
  HRESULT BuildPlayback(HWND strip, HWND main, UINT notifyMessage);

  // Stops and releases the graph, after removing a queued notification
  // message and freeing the events still waiting.
  void TearDown();

  bool exists() const { return graph_ != nullptr; }
  IMediaControl* control() const { return control_; }
  IMediaSeeking* seeking() const { return seeking_; }
  IMediaEventEx* events() const { return events_; }
  IVideoWindow* video() const { return video_; }
  ILyricsDisplay* lyricsDisplay() const { return display_; }

 private:
  HRESULT CreateGraph();
  HRESULT Connect(HWND strip, HWND main, UINT notifyMessage);

  IGraphBuilder* graph_ = nullptr;
  IMediaControl* control_ = nullptr;
  IMediaSeeking* seeking_ = nullptr;
  IMediaEventEx* events_ = nullptr;
  IVideoWindow* video_ = nullptr;
  ILyricsDisplay* display_ = nullptr;
  HWND notifyWindow_ = nullptr;
  UINT notifyMessage_ = 0;
};
