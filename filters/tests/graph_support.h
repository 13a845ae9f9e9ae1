// Helpers of the filter tests: a COM reference holder, the editor's two
// graphs built as the editor builds them, the graph's events, and a RIFF
// WAVE reader that says whether a file is complete.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <string>
#include <vector>

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return pointer_; }
  T* get() const { return pointer_; }
  T** out() {
    Reset();
    return &pointer_;
  }
  void** outVoid() { return reinterpret_cast<void**>(out()); }
  void Reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  T* pointer_ = nullptr;
};

std::wstring Widen(const std::string& text);

// A graph and the interfaces the editor keeps of it.
struct EditorGraph {
  ComRef<IGraphBuilder> builder;
  ComRef<IMediaControl> control;
  ComRef<IMediaSeeking> seeking;
  ComRef<IMediaEventEx> events;
  ComRef<IBaseFilter> tee;
};

// The decoding graph: the wave writer added as "KMWS" and named `target`,
// then RenderFile(`source`); the writer must be connected and be the only
// filter without outputs.
HRESULT BuildDecodingGraph(const std::wstring& source, const std::wstring& target,
                           EditorGraph* graph);
// The playback graph: the tee added as "KMWT", RenderFile(`wave`), then
// `branch` added as "KMWLD" and the tee's second output connected to its
// first input pin.
HRESULT BuildPlaybackGraph(const std::wstring& wave, IBaseFilter* branch, EditorGraph* graph);

// Fetches events until one of `wanted` arrives (returned) or `timeoutMs`
// passes (0). Every other event is freed and skipped; positions read on
// the way go to `positions` when given.
long WaitForEvent(EditorGraph& graph, const std::vector<long>& wanted, DWORD timeoutMs,
                  std::vector<LONGLONG>* positions = nullptr);

// The `index`-th pin of `direction` of `filter`.
HRESULT FindPin(IBaseFilter* filter, PIN_DIRECTION direction, int index, IPin** pin);
// The filter that `pin` is connected to (null when none).
std::wstring ConnectedFilterName(IPin* pin);

struct WaveData {
  WAVEFORMATEX format = {};
  std::vector<BYTE> data;
  // The RIFF and data sizes agree with the file's length.
  bool complete = false;
};
// False when the file cannot be read or is no RIFF WAVE file.
bool ReadWave(const std::string& path, WaveData* wave);
