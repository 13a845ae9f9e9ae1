// An output pin: connects by trying its own types, then the receiver's;
// negotiates an allocator with the receiver's IMemInputPin (the
// receiver's, else a standard memory allocator); delivers samples and
// stream events downstream. The delivery calls may be made from any
// streaming thread while the filter is paused or running.
#pragma once

#include <windows.h>

#include <strmif.h>

#include "filters/directshow/base_pin.h"

class OutputPin : public BasePin {
 public:
  OutputPin(BaseFilter* filter, const wchar_t* name);
  ~OutputPin() override;

  // IPin, the output side.
  HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector,
                                              const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EndOfStream() override;
  HRESULT STDMETHODCALLTYPE BeginFlush() override;
  HRESULT STDMETHODCALLTYPE EndFlush() override;
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop,
                                       double rate) override;

  // Commit and decommit the allocator (decommitting releases a waiting
  // GetDeliveryBuffer).
  HRESULT Active() override;
  HRESULT Inactive() override;

  // A buffer from the negotiated allocator; `flags` as for
  // IMemAllocator::GetBuffer (AM_GBF_NOWAIT: VFW_E_TIMEOUT when none is
  // free). VFW_E_NOT_CONNECTED when unconnected.
  HRESULT GetDeliveryBuffer(IMediaSample** sample, DWORD flags);
  // Stream calls on the connected pin; S_OK when unconnected.
  HRESULT Deliver(IMediaSample* sample);
  HRESULT DeliverEndOfStream();
  HRESULT DeliverBeginFlush();
  HRESULT DeliverEndFlush();
  HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  // The allocator's properties as agreed (zeros when unconnected).
  ALLOCATOR_PROPERTIES AgreedProperties() const { return properties_; }

 protected:
  // Fills the pin's request for the allocator; `receiverNeeds` holds the
  // receiver's requirements (zeros when it has none).
  virtual HRESULT DecideBufferSize(const ALLOCATOR_PROPERTIES& receiverNeeds,
                                   ALLOCATOR_PROPERTIES* request) = 0;

  HRESULT CompleteConnect(IPin* peer) override;
  void BreakConnect() override;

 private:
  HRESULT TryConnection(IPin* receiver, const AM_MEDIA_TYPE& type);
  HRESULT TryTypesOf(IEnumMediaTypes* types, IPin* receiver, const AM_MEDIA_TYPE* wanted);
  HRESULT DecideAllocator();
  HRESULT TryAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& needs);

  IMemInputPin* input_ = nullptr;       // referenced
  IMemAllocator* allocator_ = nullptr;  // referenced
  ALLOCATOR_PROPERTIES properties_ = {};
};
