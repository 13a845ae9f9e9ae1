// An input pin with IMemInputPin. Receive, EndOfStream, NewSegment and
// EndFlush run under the pin's receive lock, one at a time, on the
// upstream filter's streaming thread; BeginFlush and Inactive do not take
// it: they set flags that make new calls return at once and must release a
// running one (OnBeginFlush), so neither ever waits for Receive.
#pragma once

#include <windows.h>

#include <strmif.h>

#include "filters/directshow/base_pin.h"
#include "filters/directshow/critical_section.h"

class InputPin : public BasePin, public IMemInputPin {
 public:
  InputPin(BaseFilter* filter, const wchar_t* name);
  ~InputPin() override;

  // IUnknown, for both IPin and IMemInputPin.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IPin, the input side.
  HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector,
                                              const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EndOfStream() override;
  HRESULT STDMETHODCALLTYPE BeginFlush() override;
  HRESULT STDMETHODCALLTYPE EndFlush() override;
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop,
                                       double rate) override;

  // IMemInputPin. GetAllocator offers a standard memory allocator;
  // GetAllocatorRequirements answers from AllocatorRequirements.
  HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** allocator) override;
  HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;
  HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample** samples, long count,
                                            long* processed) override;
  HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override;

  HRESULT Active() override;
  HRESULT Inactive() override;
  void WaitForStreamingToEnd() override;

  // The allocator the upstream pin chose (not referenced; null before).
  IMemAllocator* Allocator() const { return allocator_; }
  bool IsFlushing();
  bool ReachedEndOfStream();
  // The last NewSegment's values (start 0, stop max, rate 1 before any).
  void Segment(REFERENCE_TIME* start, REFERENCE_TIME* stop, double* rate);

 protected:
  // A sample while the filter is paused or running, not flushing, before
  // end of stream. Under the receive lock.
  virtual HRESULT OnReceive(IMediaSample* sample) = 0;
  // Under the receive lock, once per stream.
  virtual HRESULT OnEndOfStream();
  // Not under the receive lock: must release an OnReceive that is waiting
  // (by flushing downstream, decommitting, setting an event...).
  virtual void OnBeginFlush();
  // Under the receive lock, once no OnReceive runs.
  virtual void OnEndFlush();
  // Under the receive lock.
  virtual void OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
  // The pin's needs for the upstream allocator; E_NOTIMPL for none.
  virtual HRESULT AllocatorRequirements(ALLOCATOR_PROPERTIES* properties);
  // S_FALSE by default; a pin that waits downstream answers S_OK.
  virtual bool CanBlock();

  HRESULT CompleteConnect(IPin* peer) override;
  void BreakConnect() override;

  CriticalSection& ReceiveLock() { return receiveLock_; }

 private:
  // S_OK when a streaming call may proceed, else what it returns.
  HRESULT CheckStreaming();

  CriticalSection receiveLock_;
  // Guards the flags and the segment for any thread.
  CriticalSection flagsLock_;
  bool active_ = false;
  bool flushing_ = false;
  bool endOfStream_ = false;
  REFERENCE_TIME segmentStart_ = 0;
  REFERENCE_TIME segmentStop_ = 0x7FFFFFFFFFFFFFFFLL;
  double segmentRate_ = 1.0;
  IMemAllocator* allocator_ = nullptr;  // referenced
  bool readOnly_ = false;
};
