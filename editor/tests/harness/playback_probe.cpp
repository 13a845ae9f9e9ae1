#include "editor/tests/harness/playback_probe.h"

#include "editor/audio_graph.h"

PlaybackProbe::PlaybackProbe(ILyricsDisplay* display) {
  IBaseFilter* filter = nullptr;
  if (!display ||
      FAILED(display->QueryInterface(__uuidof(IBaseFilter), reinterpret_cast<void**>(&filter)))) {
    return;
  }
  FILTER_INFO info = {};
  if (SUCCEEDED(filter->QueryFilterInfo(&info)) && info.pGraph) {
    info.pGraph->QueryInterface(__uuidof(IMediaSeeking), reinterpret_cast<void**>(&seeking_));
    info.pGraph->QueryInterface(__uuidof(IMediaControl), reinterpret_cast<void**>(&control_));
    info.pGraph->Release();
  }
  filter->Release();
}

PlaybackProbe::~PlaybackProbe() {
  if (seeking_) seeking_->Release();
  if (control_) control_->Release();
}

int32_t PlaybackProbe::Position() const {
  LONGLONG time = 0;
  if (seeking_) seeking_->GetCurrentPosition(&time);
  return Centiseconds(time);
}

OAFilterState PlaybackProbe::State() const {
  OAFilterState state = -1;
  return control_ && control_->GetState(0, &state) == S_OK ? state : -1;
}
