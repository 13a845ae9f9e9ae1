#include "filters/directshow/base_pin.h"

#include <objbase.h>

#include <cwchar>

#include "filters/directshow/base_filter.h"
#include "filters/directshow/enumerators.h"

BasePin::BasePin(BaseFilter* filter, PIN_DIRECTION direction, const wchar_t* name)
    : filter_(filter), direction_(direction) {
  wcsncpy(name_, name, MAX_PIN_NAME - 1);
}

BasePin::~BasePin() {
  if (peer_) peer_->Release();
}

HRESULT BasePin::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
    *object = static_cast<IPin*>(this);
    AddRef();
    return S_OK;
  }
  const HRESULT hr = QueryPinInterface(iid, object);
  if (FAILED(hr)) *object = nullptr;
  return hr;
}

ULONG BasePin::AddRef() { return filter_->AddRef(); }
ULONG BasePin::Release() { return filter_->Release(); }

HRESULT BasePin::Disconnect() {
  Locked lock(filter_->FilterLock());
  HRESULT hr = CheckStopped();
  if (FAILED(hr)) return hr;
  if (!peer_) return S_FALSE;
  ClearConnection();
  return S_OK;
}

HRESULT BasePin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  Locked lock(filter_->FilterLock());
  *pin = peer_;
  if (!peer_) return VFW_E_NOT_CONNECTED;
  peer_->AddRef();
  return S_OK;
}

HRESULT BasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  Locked lock(filter_->FilterLock());
  if (!peer_) {
    *type = AM_MEDIA_TYPE();
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(type, type_);
}

HRESULT BasePin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  info->dir = direction_;
  wcsncpy(info->achName, name_, MAX_PIN_NAME);
  info->achName[MAX_PIN_NAME - 1] = L'\0';
  return S_OK;
}

HRESULT BasePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = direction_;
  return S_OK;
}

HRESULT BasePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  const size_t bytes = (wcslen(name_) + 1) * sizeof(wchar_t);
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!*id) return E_OUTOFMEMORY;
  memcpy(*id, name_, bytes);
  return S_OK;
}

HRESULT BasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  Locked lock(filter_->FilterLock());
  return CheckMediaType(*type) == S_OK ? S_OK : S_FALSE;
}

HRESULT BasePin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  return CreateMediaTypeEnumerator(this, types);
}

HRESULT BasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

HRESULT BasePin::GetMediaType(int, AM_MEDIA_TYPE*) { return VFW_S_NO_MORE_ITEMS; }
HRESULT BasePin::Active() { return S_OK; }
HRESULT BasePin::Inactive() { return S_OK; }
void BasePin::WaitForStreamingToEnd() {}
HRESULT BasePin::QueryPinInterface(REFIID, void**) { return E_NOINTERFACE; }
HRESULT BasePin::CompleteConnect(IPin*) { return S_OK; }
void BasePin::BreakConnect() {}

HRESULT BasePin::SetConnection(IPin* peer, const AM_MEDIA_TYPE& type) {
  const HRESULT hr = type_.Set(type);
  if (FAILED(hr)) return hr;
  peer->AddRef();
  peer_ = peer;
  return S_OK;
}

void BasePin::ClearConnection() {
  BreakConnect();
  if (peer_) peer_->Release();
  peer_ = nullptr;
  type_.Clear();
}

HRESULT BasePin::CheckStopped() const {
  return filter_->State() == State_Stopped ? S_OK : VFW_E_NOT_STOPPED;
}
