#include "hosts/winamphost/dshow_playback.h"

#include <windows.h>

#include <dshow.h>

struct DirectShowPlayback {
  IGraphBuilder* graph = nullptr;
  IMediaControl* control = nullptr;
  IMediaSeeking* seeking = nullptr;
};

namespace {

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

}  // namespace

DirectShowPlayback* StartDirectShowPlayback(const char* path) {
  CoInitialize(nullptr);
  DirectShowPlayback* playback = new DirectShowPlayback;
  WCHAR wide[MAX_PATH];
  bool ok = MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) > 0 &&
            SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IGraphBuilder,
                                       reinterpret_cast<void**>(&playback->graph))) &&
            SUCCEEDED(playback->graph->RenderFile(wide, nullptr)) &&
            SUCCEEDED(playback->graph->QueryInterface(
                IID_IMediaControl, reinterpret_cast<void**>(&playback->control))) &&
            SUCCEEDED(playback->graph->QueryInterface(
                IID_IMediaSeeking, reinterpret_cast<void**>(&playback->seeking))) &&
            SUCCEEDED(playback->control->Run());
  if (!ok) {
    StopDirectShowPlayback(playback);
    return nullptr;
  }
  return playback;
}

void StopDirectShowPlayback(DirectShowPlayback* playback) {
  if (!playback) return;
  if (playback->control) playback->control->Stop();
  Release(playback->seeking);
  Release(playback->control);
  Release(playback->graph);
  delete playback;
  CoUninitialize();
}

int DirectShowStatus(DirectShowPlayback* playback) {
  OAFilterState state = State_Stopped;
  if (FAILED(playback->control->GetState(100, &state))) return 1;
  if (state == State_Running) return 1;
  return state == State_Paused ? 3 : 0;
}

int32_t DirectShowPosition(DirectShowPlayback* playback) {
  LONGLONG position = 0;
  if (FAILED(playback->seeking->GetCurrentPosition(&position))) return -1;
  return static_cast<int32_t>(position / 10000);
}

int32_t DirectShowLength(DirectShowPlayback* playback) {
  LONGLONG duration = 0;
  if (FAILED(playback->seeking->GetDuration(&duration)) || duration <= 0) return -1;
  return static_cast<int32_t>(duration / 10000000);
}

void DirectShowSeek(DirectShowPlayback* playback, int32_t ms) {
  LONGLONG position = LONGLONG(ms) * 10000;
  playback->seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                  AM_SEEKING_NoPositioning);
}

void DirectShowPause(DirectShowPlayback* playback, bool pause) {
  if (pause) {
    playback->control->Pause();
  } else {
    playback->control->Run();
  }
}
