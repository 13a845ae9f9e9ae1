#include "filters/directshow/output_pin.h"

#include <objbase.h>
#include <uuids.h>

#include "filters/directshow/base_filter.h"

namespace {

bool FullySpecified(const AM_MEDIA_TYPE& type) {
  return !IsEqualGUID(type.majortype, GUID_NULL) && !IsEqualGUID(type.subtype, GUID_NULL) &&
         !IsEqualGUID(type.formattype, GUID_NULL);
}

// A null field of the wanted type matches anything.
bool Matches(const AM_MEDIA_TYPE& candidate, const AM_MEDIA_TYPE* wanted) {
  if (!wanted) return true;
  auto fieldMatches = [](const GUID& want, const GUID& have) {
    return IsEqualGUID(want, GUID_NULL) || IsEqualGUID(want, have);
  };
  return fieldMatches(wanted->majortype, candidate.majortype) &&
         fieldMatches(wanted->subtype, candidate.subtype) &&
         fieldMatches(wanted->formattype, candidate.formattype);
}

}  // namespace

OutputPin::OutputPin(BaseFilter* filter, const wchar_t* name)
    : BasePin(filter, PINDIR_OUTPUT, name) {}

OutputPin::~OutputPin() {
  if (allocator_) allocator_->Release();
  if (input_) input_->Release();
}

HRESULT OutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
  if (!receiver) return E_POINTER;
  Locked lock(filter_->FilterLock());
  if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
  HRESULT hr = CheckStopped();
  if (FAILED(hr)) return hr;
  if (type && FullySpecified(*type)) return TryConnection(receiver, *type);

  IEnumMediaTypes* types = nullptr;
  if (SUCCEEDED(EnumMediaTypes(&types))) {
    hr = TryTypesOf(types, receiver, type);
    types->Release();
    if (SUCCEEDED(hr)) return hr;
  }
  if (SUCCEEDED(receiver->EnumMediaTypes(&types))) {
    hr = TryTypesOf(types, receiver, type);
    types->Release();
    if (SUCCEEDED(hr)) return hr;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT OutputPin::TryTypesOf(IEnumMediaTypes* types, IPin* receiver,
                              const AM_MEDIA_TYPE* wanted) {
  AM_MEDIA_TYPE* candidate = nullptr;
  while (types->Next(1, &candidate, nullptr) == S_OK) {
    HRESULT hr = VFW_E_TYPE_NOT_ACCEPTED;
    if (candidate && Matches(*candidate, wanted)) hr = TryConnection(receiver, *candidate);
    DeleteMediaType(candidate);
    candidate = nullptr;
    if (SUCCEEDED(hr)) return hr;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT OutputPin::TryConnection(IPin* receiver, const AM_MEDIA_TYPE& type) {
  if (CheckMediaType(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  HRESULT hr = SetConnection(receiver, type);
  if (FAILED(hr)) return hr;
  hr = receiver->ReceiveConnection(this, &type);
  if (FAILED(hr)) {
    ClearConnection();
    return hr;
  }
  hr = CompleteConnect(receiver);
  if (FAILED(hr)) {
    receiver->Disconnect();
    ClearConnection();
  }
  return hr;
}

HRESULT OutputPin::CompleteConnect(IPin* peer) {
  HRESULT hr = peer->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input_));
  if (FAILED(hr)) {
    input_ = nullptr;
    return hr;
  }
  return DecideAllocator();
}

void OutputPin::BreakConnect() {
  if (allocator_) allocator_->Release();
  allocator_ = nullptr;
  if (input_) input_->Release();
  input_ = nullptr;
  properties_ = ALLOCATOR_PROPERTIES();
}

HRESULT OutputPin::DecideAllocator() {
  ALLOCATOR_PROPERTIES needs = {};
  if (FAILED(input_->GetAllocatorRequirements(&needs))) needs = ALLOCATOR_PROPERTIES();

  IMemAllocator* allocator = nullptr;
  if (SUCCEEDED(input_->GetAllocator(&allocator)) && allocator) {
    const HRESULT hr = TryAllocator(allocator, needs);
    allocator->Release();
    if (SUCCEEDED(hr)) return hr;
  }
  HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IMemAllocator, reinterpret_cast<void**>(&allocator));
  if (FAILED(hr)) return hr;
  hr = TryAllocator(allocator, needs);
  allocator->Release();
  return hr;
}

HRESULT OutputPin::TryAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& needs) {
  ALLOCATOR_PROPERTIES request = {};
  HRESULT hr = DecideBufferSize(needs, &request);
  if (FAILED(hr)) return hr;
  if (request.cbAlign <= 0) request.cbAlign = 1;
  ALLOCATOR_PROPERTIES actual = {};
  hr = allocator->SetProperties(&request, &actual);
  if (FAILED(hr)) return hr;
  if (actual.cbBuffer < request.cbBuffer || actual.cBuffers < 1) return E_FAIL;
  hr = input_->NotifyAllocator(allocator, FALSE);
  if (FAILED(hr)) return hr;
  allocator->AddRef();
  if (allocator_) allocator_->Release();
  allocator_ = allocator;
  properties_ = actual;
  return S_OK;
}

HRESULT OutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }
HRESULT OutputPin::EndOfStream() { return E_UNEXPECTED; }
HRESULT OutputPin::BeginFlush() { return E_UNEXPECTED; }
HRESULT OutputPin::EndFlush() { return E_UNEXPECTED; }
HRESULT OutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return E_UNEXPECTED; }

HRESULT OutputPin::Active() { return allocator_ ? allocator_->Commit() : S_OK; }

HRESULT OutputPin::Inactive() { return allocator_ ? allocator_->Decommit() : S_OK; }

HRESULT OutputPin::GetDeliveryBuffer(IMediaSample** sample, DWORD flags) {
  if (!sample) return E_POINTER;
  *sample = nullptr;
  if (!allocator_) return VFW_E_NOT_CONNECTED;
  return allocator_->GetBuffer(sample, nullptr, nullptr, flags);
}

HRESULT OutputPin::Deliver(IMediaSample* sample) {
  return input_ ? input_->Receive(sample) : S_OK;
}

HRESULT OutputPin::DeliverEndOfStream() {
  IPin* peer = Peer();
  return peer ? peer->EndOfStream() : S_OK;
}

HRESULT OutputPin::DeliverBeginFlush() {
  IPin* peer = Peer();
  return peer ? peer->BeginFlush() : S_OK;
}

HRESULT OutputPin::DeliverEndFlush() {
  IPin* peer = Peer();
  return peer ? peer->EndFlush() : S_OK;
}

HRESULT OutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  IPin* peer = Peer();
  return peer ? peer->NewSegment(start, stop, rate) : S_OK;
}
