// The common part of the product's filters on the raw DirectShow
// interfaces: reference count, IPersist, IMediaFilter (state, clock),
// IBaseFilter (pins, graph, name) and events to the graph.
//
// Locking: FilterLock() guards the state, the clock, the graph and every
// pin's connection; the graph's thread holds it in Stop, Pause, Run and in
// the pins' connection calls. Streaming threads never take it: they use
// the input pins' receive locks and the event lock, so that Stop may wait
// for a running Receive to return.
#pragma once

#include <windows.h>

#include <strmif.h>
#include <vfwmsgs.h>

#include <new>

#include "filters/directshow/critical_section.h"

class BasePin;

class BaseFilter : public IBaseFilter {
 public:
  // `name` is the filter's name before the graph gives it one. The object
  // holds a module lock while it lives; its reference count starts at 0.
  BaseFilter(REFCLSID clsid, const wchar_t* name);
  virtual ~BaseFilter();
  BaseFilter(const BaseFilter&) = delete;
  BaseFilter& operator=(const BaseFilter&) = delete;

  // IUnknown: IUnknown, IPersist, IMediaFilter, IBaseFilter and whatever
  // QueryFilterInterface adds.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IPersist
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;

  // IMediaFilter. Stop deactivates every pin (which releases blocked
  // streaming calls), then waits for the input pins' streaming to end, then
  // calls OnStop. Pause from Stopped activates every pin, then OnPause.
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;

  // IBaseFilter
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

  // The filter's pins, fixed for its lifetime, in enumeration order.
  virtual int PinCount() = 0;
  virtual BasePin* PinAt(int index) = 0;

  CriticalSection& FilterLock() { return filterLock_; }
  // The state as last set; take FilterLock() for a stable answer.
  FILTER_STATE State() const { return state_; }
  // The stream time origin given to Run (under FilterLock()).
  REFERENCE_TIME StreamStart() const { return streamStart_; }
  // The graph the filter belongs to, not referenced (null outside a graph).
  IFilterGraph* Graph() const { return graph_; }

  // Reports an event to the graph (IMediaEventSink::Notify); any thread.
  // E_UNEXPECTED outside a graph.
  HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

 protected:
  // Further interfaces of the filter (IFileSinkFilter, ...); `object` is
  // non-null. The default has none.
  virtual HRESULT QueryFilterInterface(REFIID iid, void** object);
  // Called under FilterLock() after the pins changed state. A failure of
  // OnPause from Stopped deactivates the pins again and fails Pause.
  virtual HRESULT OnPause(FILTER_STATE from);
  virtual HRESULT OnRun(REFERENCE_TIME start);
  virtual void OnStop();
  // GetState's result once the state is read (e.g. VFW_S_STATE_INTERMEDIATE
  // for a renderer still waiting for data); the default is S_OK.
  virtual HRESULT StateResult(DWORD timeoutMs);

 private:
  HRESULT PauseLocked();

  volatile LONG references_ = 0;
  const CLSID clsid_;
  CriticalSection filterLock_;
  volatile FILTER_STATE state_ = State_Stopped;
  REFERENCE_TIME streamStart_ = 0;
  IReferenceClock* clock_ = nullptr;
  IFilterGraph* graph_ = nullptr;
  wchar_t name_[MAX_FILTER_NAME] = {};
  // Guards eventSink_ for streaming threads, which never take FilterLock().
  CriticalSection eventLock_;
  IMediaEventSink* eventSink_ = nullptr;  // the graph itself: not referenced
};

// A class factory's maker for a filter class: a new `Filter` (which cannot
// be aggregated) and its `iid` interface.
template <typename Filter>
HRESULT CreateFilterObject(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* filter = new (std::nothrow) Filter();
  if (!filter) return E_OUTOFMEMORY;
  filter->AddRef();
  const HRESULT hr = filter->QueryInterface(iid, object);
  filter->Release();
  return hr;
}
