// The common part of input and output pins. A pin lives inside its filter
// and shares the filter's reference count; its connection (peer and media
// type) is guarded by the filter's lock and changes only while the filter
// is stopped, so streaming threads may read it without the lock.
#pragma once

#include <windows.h>

#include <strmif.h>

#include "filters/directshow/media_types.h"

class BaseFilter;

class BasePin : public IPin {
 public:
  BasePin(BaseFilter* filter, PIN_DIRECTION direction, const wchar_t* name);
  virtual ~BasePin();
  BasePin(const BasePin&) = delete;
  BasePin& operator=(const BasePin&) = delete;

  // IUnknown: IUnknown, IPin and whatever QueryPinInterface adds; the
  // count is the filter's.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IPin, the parts both directions share.
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
  HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
  HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
  HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;

  // S_OK when the pin takes `type`, else a failure (VFW_E_TYPE_NOT_ACCEPTED).
  // Called under the filter's lock.
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
  // The pin's preferred types, from index 0: S_OK and a filled `type`, or
  // VFW_S_NO_MORE_ITEMS past the last. The default offers none.
  virtual HRESULT GetMediaType(int index, AM_MEDIA_TYPE* type);

  // State changes, called by the filter under its lock. Active on Stopped
  // to Paused; Inactive on any state to Stopped: it must not wait for
  // streaming threads, only release them (decommit allocators, set flags).
  virtual HRESULT Active();
  virtual HRESULT Inactive();
  // After every pin is inactive: returns once no streaming call of this
  // pin runs any more. Input pins wait for their receive lock.
  virtual void WaitForStreamingToEnd();

  bool IsConnected() const { return peer_ != nullptr; }
  // The connected pin, not referenced (null when unconnected).
  IPin* Peer() const { return peer_; }
  const AM_MEDIA_TYPE& ConnectionType() const { return type_; }
  BaseFilter* Filter() const { return filter_; }
  const wchar_t* Name() const { return name_; }

 protected:
  // Further interfaces of the pin (IMemInputPin, IMediaSeeking, ...).
  virtual HRESULT QueryPinInterface(REFIID iid, void** object);
  // After the connection is made (peer and type set), under the filter's
  // lock; a failure undoes the connection.
  virtual HRESULT CompleteConnect(IPin* peer);
  // Before the connection is forgotten, under the filter's lock.
  virtual void BreakConnect();

  // Stores the connection; `peer` is referenced.
  HRESULT SetConnection(IPin* peer, const AM_MEDIA_TYPE& type);
  // Forgets the connection (BreakConnect, then peer and type).
  void ClearConnection();
  // VFW_E_NOT_STOPPED unless the filter is stopped.
  HRESULT CheckStopped() const;

  BaseFilter* const filter_;
  const PIN_DIRECTION direction_;

 private:
  wchar_t name_[MAX_PIN_NAME] = {};
  IPin* peer_ = nullptr;
  MediaType type_;
};
