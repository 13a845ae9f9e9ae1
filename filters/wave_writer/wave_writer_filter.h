// WaveWriterFilter ("KMWS"): renders decoded PCM audio into a RIFF WAVE
// file named through IFileSinkFilter, as fast as the decoder delivers (it
// never waits on a clock). The file is created when the graph pauses from
// stopped, completed at end of stream (then EC_COMPLETE, once the graph
// runs) and deleted when the stream stops before its end. A failed write
// deletes the file and reports EC_ERRORABORT.
#pragma once

#include <windows.h>

#include <strmif.h>

#include <vector>

#include "filters/directshow/base_filter.h"
#include "filters/directshow/input_pin.h"
#include "filters/wave_writer/wave_file.h"

class WaveWriterFilter;

class WaveWriterInput final : public InputPin {
 public:
  explicit WaveWriterInput(WaveWriterFilter* filter);
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 protected:
  HRESULT OnReceive(IMediaSample* sample) override;
  HRESULT OnEndOfStream() override;

 private:
  WaveWriterFilter* const writer_;
};

class WaveWriterFilter final : public BaseFilter,
                               public IFileSinkFilter,
                               public IAMFilterMiscFlags {
 public:
  WaveWriterFilter();
  ~WaveWriterFilter() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IFileSinkFilter. The name is taken while the filter is stopped.
  HRESULT STDMETHODCALLTYPE SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

  // IAMFilterMiscFlags: a renderer, so that the graph waits for its
  // EC_COMPLETE.
  ULONG STDMETHODCALLTYPE GetMiscFlags() override;

  int PinCount() override { return 1; }
  BasePin* PinAt(int index) override;

  // From the input pin, on the streaming thread under its receive lock.
  HRESULT WriteSample(IMediaSample* sample);
  HRESULT FinishFile();

 protected:
  HRESULT QueryFilterInterface(REFIID iid, void** object) override;
  HRESULT OnPause(FILTER_STATE from) override;
  HRESULT OnRun(REFERENCE_TIME start) override;
  void OnStop() override;

 private:
  // Drops the file and reports the failure to the graph.
  void Fail(HRESULT hr);
  void SetRunning(bool running);
  // Sends EC_COMPLETE once, when the stream ended and the graph runs;
  // under completionLock_.
  void ReportCompletionIfDue();

  WaveWriterInput input_;
  std::vector<wchar_t> fileName_;  // guarded by the filter lock
  // The file is touched by the streaming thread under the pin's receive
  // lock, and by Pause and Stop only while no streaming call runs.
  WaveFile file_;
  bool failed_ = false;
  // Guards the end-of-stream report between the streaming thread and Run.
  CriticalSection completionLock_;
  bool running_ = false;
  bool finished_ = false;
  bool completionReported_ = false;
};

HRESULT CreateWaveWriterFilter(IUnknown* outer, REFIID iid, void** object);
