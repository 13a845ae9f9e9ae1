#include "filters/directshow/base_filter.h"

#include <cwchar>

#include "com_server/module_lock.h"
#include "filters/directshow/base_pin.h"
#include "filters/directshow/enumerators.h"

BaseFilter::BaseFilter(REFCLSID clsid, const wchar_t* name) : clsid_(clsid) {
  LockModule();
  if (name) wcsncpy(name_, name, MAX_FILTER_NAME - 1);
}

BaseFilter::~BaseFilter() {
  if (clock_) clock_->Release();
  UnlockModule();
}

HRESULT BaseFilter::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist) ||
      IsEqualIID(iid, IID_IMediaFilter) || IsEqualIID(iid, IID_IBaseFilter)) {
    *object = static_cast<IBaseFilter*>(this);
  } else {
    const HRESULT hr = QueryFilterInterface(iid, object);
    if (FAILED(hr)) {
      *object = nullptr;
      return hr;
    }
    return S_OK;
  }
  AddRef();
  return S_OK;
}

ULONG BaseFilter::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG BaseFilter::Release() {
  const LONG count = InterlockedDecrement(&references_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT BaseFilter::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = clsid_;
  return S_OK;
}

HRESULT BaseFilter::Stop() {
  Locked lock(filterLock_);
  if (state_ == State_Stopped) return S_OK;
  HRESULT result = S_OK;
  for (int i = 0; i < PinCount(); ++i) {
    const HRESULT hr = PinAt(i)->Inactive();
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  for (int i = 0; i < PinCount(); ++i) PinAt(i)->WaitForStreamingToEnd();
  state_ = State_Stopped;
  OnStop();
  return result;
}

HRESULT BaseFilter::PauseLocked() {
  if (state_ != State_Stopped) {
    const FILTER_STATE from = state_;
    state_ = State_Paused;
    return OnPause(from);
  }
  HRESULT hr = S_OK;
  int activated = 0;
  for (; activated < PinCount() && SUCCEEDED(hr); ++activated) {
    hr = PinAt(activated)->Active();
  }
  if (SUCCEEDED(hr)) {
    state_ = State_Paused;
    hr = OnPause(State_Stopped);
    if (SUCCEEDED(hr)) return hr;
    state_ = State_Stopped;
  }
  for (int i = 0; i < activated; ++i) PinAt(i)->Inactive();
  for (int i = 0; i < activated; ++i) PinAt(i)->WaitForStreamingToEnd();
  return hr;
}

HRESULT BaseFilter::Pause() {
  Locked lock(filterLock_);
  return PauseLocked();
}

HRESULT BaseFilter::Run(REFERENCE_TIME start) {
  Locked lock(filterLock_);
  if (state_ == State_Stopped) {
    const HRESULT hr = PauseLocked();
    if (FAILED(hr)) return hr;
  }
  streamStart_ = start;
  state_ = State_Running;
  return OnRun(start);
}

HRESULT BaseFilter::GetState(DWORD timeoutMs, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = state_;
  return StateResult(timeoutMs);
}

HRESULT BaseFilter::SetSyncSource(IReferenceClock* clock) {
  Locked lock(filterLock_);
  if (clock) clock->AddRef();
  if (clock_) clock_->Release();
  clock_ = clock;
  return S_OK;
}

HRESULT BaseFilter::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  Locked lock(filterLock_);
  *clock = clock_;
  if (clock_) clock_->AddRef();
  return S_OK;
}

HRESULT BaseFilter::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  return CreatePinEnumerator(this, pins);
}

HRESULT BaseFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  *pin = nullptr;
  for (int i = 0; i < PinCount(); ++i) {
    BasePin* candidate = PinAt(i);
    if (wcscmp(candidate->Name(), id) == 0) {
      *pin = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

HRESULT BaseFilter::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  Locked lock(filterLock_);
  wcsncpy(info->achName, name_, MAX_FILTER_NAME);
  info->achName[MAX_FILTER_NAME - 1] = L'\0';
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  Locked lock(filterLock_);
  graph_ = graph;
  if (name) {
    wcsncpy(name_, name, MAX_FILTER_NAME - 1);
    name_[MAX_FILTER_NAME - 1] = L'\0';
  }
  // The graph holds the filter: referencing the graph back would keep
  // both alive, so the sink is kept as a plain pointer while in the graph.
  IMediaEventSink* sink = nullptr;
  if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink,
                                               reinterpret_cast<void**>(&sink)))) {
    sink->Release();
  }
  Locked events(eventLock_);
  eventSink_ = sink;
  return S_OK;
}

HRESULT BaseFilter::QueryVendorInfo(LPWSTR* info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return E_NOTIMPL;
}

HRESULT BaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
  IMediaEventSink* sink = nullptr;
  {
    Locked events(eventLock_);
    sink = eventSink_;
    if (sink) sink->AddRef();
  }
  if (!sink) return E_UNEXPECTED;
  const HRESULT hr = sink->Notify(code, param1, param2);
  sink->Release();
  return hr;
}

HRESULT BaseFilter::QueryFilterInterface(REFIID, void**) { return E_NOINTERFACE; }
HRESULT BaseFilter::OnPause(FILTER_STATE) { return S_OK; }
HRESULT BaseFilter::OnRun(REFERENCE_TIME) { return S_OK; }
void BaseFilter::OnStop() {}
HRESULT BaseFilter::StateResult(DWORD) { return S_OK; }
