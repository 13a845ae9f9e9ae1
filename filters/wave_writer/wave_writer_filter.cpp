#include "filters/wave_writer/wave_writer_filter.h"

#include <evcode.h>
#include <mmreg.h>

#include <cwchar>

#include "filters/directshow/media_types.h"
#include "filters/filter_classes.h"
#include "filters/filter_ids.h"

WaveWriterInput::WaveWriterInput(WaveWriterFilter* filter)
    : InputPin(filter, L"Input"), writer_(filter) {}

HRESULT WaveWriterInput::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return IsPcmAudioType(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT WaveWriterInput::OnReceive(IMediaSample* sample) { return writer_->WriteSample(sample); }

HRESULT WaveWriterInput::OnEndOfStream() { return writer_->FinishFile(); }

WaveWriterFilter::WaveWriterFilter()
    : BaseFilter(kClsidWaveWriterFilter, L"KMWS"), input_(this) {}

WaveWriterFilter::~WaveWriterFilter() = default;

HRESULT WaveWriterFilter::QueryInterface(REFIID iid, void** object) {
  return BaseFilter::QueryInterface(iid, object);
}
ULONG WaveWriterFilter::AddRef() { return BaseFilter::AddRef(); }
ULONG WaveWriterFilter::Release() { return BaseFilter::Release(); }

HRESULT WaveWriterFilter::QueryFilterInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IFileSinkFilter)) {
    *object = static_cast<IFileSinkFilter*>(this);
  } else if (IsEqualIID(iid, IID_IAMFilterMiscFlags)) {
    *object = static_cast<IAMFilterMiscFlags*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

BasePin* WaveWriterFilter::PinAt(int index) { return index == 0 ? &input_ : nullptr; }

HRESULT WaveWriterFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
  if (!name) return E_POINTER;
  const size_t length = wcslen(name);
  if (length == 0 || length >= 32768) return E_INVALIDARG;
  Locked lock(FilterLock());
  if (State() != State_Stopped) return VFW_E_NOT_STOPPED;
  fileName_.assign(name, name + length + 1);
  return S_OK;
}

HRESULT WaveWriterFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (type) *type = AM_MEDIA_TYPE();
  Locked lock(FilterLock());
  if (fileName_.empty()) return S_FALSE;
  const size_t bytes = fileName_.size() * sizeof(wchar_t);
  *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (!*name) return E_OUTOFMEMORY;
  memcpy(*name, fileName_.data(), bytes);
  if (type && input_.IsConnected()) return CopyMediaType(type, input_.ConnectionType());
  return S_OK;
}

ULONG WaveWriterFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

HRESULT WaveWriterFilter::OnPause(FILTER_STATE from) {
  SetRunning(false);
  if (from != State_Stopped) return S_OK;
  failed_ = false;
  {
    Locked completion(completionLock_);
    finished_ = false;
    completionReported_ = false;
  }
  if (!input_.IsConnected()) return S_OK;
  HRESULT hr = E_UNEXPECTED;  // no file name
  if (!fileName_.empty()) {
    const AM_MEDIA_TYPE& type = input_.ConnectionType();
    const WAVEFORMATEX& format = WaveFormatOf(type);
    const size_t formatBytes = format.wFormatTag == WAVE_FORMAT_PCM ? 16 : 18 + format.cbSize;
    hr = formatBytes <= type.cbFormat ? file_.Create(fileName_.data(), format, formatBytes)
                                      : VFW_E_INVALIDMEDIATYPE;
  }
  // The failure goes to the graph as EC_ERRORABORT; failing Pause itself
  // would leave the graph stopped with its source paused, which Wine's
  // graph then cannot stop or release.
  if (FAILED(hr)) Fail(hr);
  return S_OK;
}

HRESULT WaveWriterFilter::OnRun(REFERENCE_TIME) {
  SetRunning(true);
  return S_OK;
}

void WaveWriterFilter::OnStop() {
  SetRunning(false);
  // Stopped before the end of the stream: the part written is no song.
  file_.Abandon();
}

HRESULT WaveWriterFilter::WriteSample(IMediaSample* sample) {
  if (failed_ || !file_.IsOpen()) return S_FALSE;
  if (sample->IsPreroll() == S_OK) return S_OK;
  BYTE* data = nullptr;
  HRESULT hr = sample->GetPointer(&data);
  if (FAILED(hr)) return hr;
  const long length = sample->GetActualDataLength();
  if (length <= 0) return S_OK;
  hr = file_.Append(data, static_cast<size_t>(length));
  if (FAILED(hr)) {
    Fail(hr);
    return S_FALSE;  // tells the source to stop sending
  }
  return S_OK;
}

HRESULT WaveWriterFilter::FinishFile() {
  if (failed_) return S_OK;
  if (file_.IsOpen()) {
    const HRESULT hr = file_.Finish();
    if (FAILED(hr)) {
      Fail(hr);
      return S_OK;
    }
  }
  Locked completion(completionLock_);
  finished_ = true;
  ReportCompletionIfDue();
  return S_OK;
}

void WaveWriterFilter::SetRunning(bool running) {
  Locked completion(completionLock_);
  running_ = running;
  ReportCompletionIfDue();
}

void WaveWriterFilter::ReportCompletionIfDue() {
  // The graph forgets completions that come before Run, so one that
  // arrives while paused is sent when the graph runs.
  if (!running_ || !finished_ || completionReported_) return;
  completionReported_ = true;
  NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

void WaveWriterFilter::Fail(HRESULT hr) {
  failed_ = true;
  file_.Abandon();
  NotifyEvent(EC_ERRORABORT, hr, 0);
}

HRESULT CreateWaveWriterFilter(IUnknown* outer, REFIID iid, void** object) {
  return CreateFilterObject<WaveWriterFilter>(outer, iid, object);
}
