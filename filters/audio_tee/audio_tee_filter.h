// AudioTeeFilter ("KMWT"): one PCM input, two outputs carrying the same
// audio. Output 0 offers the input's type first (so that the graph's
// intelligent connect reaches the audio renderer), paces the stream (it
// waits for the renderer's buffers) and passes seeking upstream. Output 1
// ("~" in its name, so that RenderFile leaves it alone) feeds a second
// branch through a queue and never stalls the audio; it does not seek.
#pragma once

#include <windows.h>

#include <strmif.h>

#include "filters/audio_tee/branch_queue.h"
#include "filters/directshow/base_filter.h"
#include "filters/directshow/input_pin.h"
#include "filters/directshow/output_pin.h"
#include "filters/directshow/seeking_passthrough.h"

class AudioTeeFilter;

class TeeInput final : public InputPin {
 public:
  explicit TeeInput(AudioTeeFilter* filter);
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 protected:
  HRESULT OnReceive(IMediaSample* sample) override;
  HRESULT OnEndOfStream() override;
  void OnBeginFlush() override;
  void OnEndFlush() override;
  void OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
  bool CanBlock() override { return true; }

 private:
  AudioTeeFilter* const tee_;
};

class TeeOutput final : public OutputPin {
 public:
  TeeOutput(AudioTeeFilter* filter, const wchar_t* name, bool seeks);
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT GetMediaType(int index, AM_MEDIA_TYPE* type) override;

 protected:
  HRESULT QueryPinInterface(REFIID iid, void** object) override;
  HRESULT DecideBufferSize(const ALLOCATOR_PROPERTIES& receiverNeeds,
                           ALLOCATOR_PROPERTIES* request) override;

 private:
  AudioTeeFilter* const tee_;
  const bool seeks_;
  SeekingPassThrough seeking_;
};

class AudioTeeFilter final : public BaseFilter {
 public:
  AudioTeeFilter();
  ~AudioTeeFilter() override;

  int PinCount() override { return 3; }
  BasePin* PinAt(int index) override;

  TeeInput& Input() { return input_; }
  TeeOutput& Audio() { return audio_; }
  TeeOutput& Branch() { return branch_; }
  BranchQueue& BranchStream() { return branchQueue_; }

 protected:
  HRESULT OnPause(FILTER_STATE from) override;
  void OnStop() override;

 private:
  TeeInput input_;
  TeeOutput audio_;
  TeeOutput branch_;
  BranchQueue branchQueue_;
};

