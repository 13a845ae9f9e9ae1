#include "filters/lyrics_display/lyrics_display_filter.h"

#include <uuids.h>

#include <climits>
#include <cwchar>
#include <new>

#include "filters/directshow/media_types.h"
#include "filters/filter_classes.h"
#include "filters/lyrics_display/peak_loader.h"

DisplayInputPin::DisplayInputPin(LyricsDisplayFilter* filter, StripWindow& window)
    : InputPin(filter, L"Input"), window_(window) {}

HRESULT DisplayInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return IsPcmAudioType(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT DisplayInputPin::OnReceive(IMediaSample*) {
  // The strip draws from the peaks read at Load; the samples only keep the
  // audio branch flowing.
  return S_OK;
}

void DisplayInputPin::OnEndFlush() { window_.PostSought(); }

void DisplayInputPin::OnNewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {
  window_.PostSought();
}

LyricsDisplayFilter::LyricsDisplayFilter()
    : BaseFilter(kClsidLyricsDisplayFilter, L"KMWLD"),
      window_(model_, *this),
      pin_(this, window_) {}

LyricsDisplayFilter::~LyricsDisplayFilter() { delete[] fileName_; }

bool LyricsDisplayFilter::Init() { return window_.Create(); }

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::QueryInterface(REFIID iid, void** object) {
  return BaseFilter::QueryInterface(iid, object);
}

ULONG STDMETHODCALLTYPE LyricsDisplayFilter::AddRef() { return BaseFilter::AddRef(); }

ULONG STDMETHODCALLTYPE LyricsDisplayFilter::Release() { return BaseFilter::Release(); }

HRESULT LyricsDisplayFilter::QueryFilterInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IFileSourceFilter)) {
    *object = static_cast<IFileSourceFilter*>(this);
  } else if (IsEqualIID(iid, IID_IVideoWindow) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IVideoWindow*>(this);
  } else if (IsEqualIID(iid, kIidLyricsDisplay)) {
    *object = static_cast<ILyricsDisplay*>(this);
  } else {
    return BaseFilter::QueryFilterInterface(iid, object);
  }
  AddRef();
  return S_OK;
}

BasePin* LyricsDisplayFilter::PinAt(int index) { return index == 0 ? &pin_ : nullptr; }

HRESULT LyricsDisplayFilter::OnPause(FILTER_STATE from) {
  HRESULT hr = BaseFilter::OnPause(from);
  window_.PostStateChanged();
  return hr;
}

HRESULT LyricsDisplayFilter::OnRun(REFERENCE_TIME start) {
  HRESULT hr = BaseFilter::OnRun(start);
  window_.PostStateChanged();
  return hr;
}

void LyricsDisplayFilter::OnStop() {
  BaseFilter::OnStop();
  window_.PostStateChanged();
}

bool LyricsDisplayFilter::PlayingPosition(int32_t* time) {
  // The graph's own position, asked without holding the filter's lock: the
  // graph takes its lock before ours when it changes state.
  IFilterGraph* graph;
  {
    Locked hold(FilterLock());
    graph = Graph();
    if (graph) graph->AddRef();
  }
  if (!graph) return false;
  IMediaSeeking* seeking = nullptr;
  HRESULT hr = graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
  graph->Release();
  if (FAILED(hr)) return false;
  LONGLONG now = 0;
  hr = seeking->GetCurrentPosition(&now);
  seeking->Release();
  if (FAILED(hr)) return false;
  LONGLONG cs = now / 100000;
  *time = int32_t(cs < 0 ? 0 : (cs > INT_MAX ? INT_MAX : cs));
  return true;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::Load(LPCOLESTR fileName, const AM_MEDIA_TYPE*) {
  if (!fileName) return E_POINTER;
  size_t length = wcslen(fileName);
  wchar_t* copy = new (std::nothrow) wchar_t[length + 1];
  if (!copy) return E_OUTOFMEMORY;
  wmemcpy(copy, fileName, length + 1);
  PeakTable peaks;
  HRESULT hr = LoadPeaks(fileName, &peaks);
  if (FAILED(hr)) {
    delete[] copy;
    return hr;
  }
  {
    Locked hold(model_.lock);
    model_.songLength = FramesToCentiseconds(peaks.FrameCount(), peaks.SampleRate());
    model_.peaks = std::move(peaks);
    delete[] fileName_;
    fileName_ = copy;
  }
  window_.SongChanged();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* type) {
  if (!fileName) return E_POINTER;
  *fileName = nullptr;
  if (type) ZeroMemory(type, sizeof *type);
  Locked hold(model_.lock);
  if (!fileName_) return S_OK;
  size_t bytes = (wcslen(fileName_) + 1) * sizeof(wchar_t);
  *fileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (!*fileName) return E_OUTOFMEMORY;
  memcpy(*fileName, fileName_, bytes);
  if (type) {
    type->majortype = MEDIATYPE_Stream;
    type->subtype = MEDIASUBTYPE_WAVE;
  }
  return S_OK;
}

HRESULT CreateLyricsDisplayFilter(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* filter = new (std::nothrow) LyricsDisplayFilter();
  if (!filter) return E_OUTOFMEMORY;
  filter->AddRef();
  HRESULT hr = filter->Init() ? filter->QueryInterface(iid, object) : E_FAIL;
  filter->Release();
  return hr;
}
