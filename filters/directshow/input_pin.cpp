#include "filters/directshow/input_pin.h"

#include <objbase.h>
#include <uuids.h>

#include "filters/directshow/base_filter.h"

InputPin::InputPin(BaseFilter* filter, const wchar_t* name)
    : BasePin(filter, PINDIR_INPUT, name) {}

InputPin::~InputPin() {
  if (allocator_) allocator_->Release();
}

HRESULT InputPin::QueryInterface(REFIID iid, void** object) {
  if (object && IsEqualIID(iid, IID_IMemInputPin)) {
    *object = static_cast<IMemInputPin*>(this);
    AddRef();
    return S_OK;
  }
  return BasePin::QueryInterface(iid, object);
}

ULONG InputPin::AddRef() { return BasePin::AddRef(); }
ULONG InputPin::Release() { return BasePin::Release(); }

HRESULT InputPin::Connect(IPin*, const AM_MEDIA_TYPE*) {
  // An input pin only receives connections.
  return E_UNEXPECTED;
}

HRESULT InputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  Locked lock(filter_->FilterLock());
  if (IsConnected()) return VFW_E_ALREADY_CONNECTED;
  HRESULT hr = CheckStopped();
  if (FAILED(hr)) return hr;
  PIN_DIRECTION direction = PINDIR_INPUT;
  connector->QueryDirection(&direction);
  if (direction != PINDIR_OUTPUT) return VFW_E_INVALID_DIRECTION;
  if (CheckMediaType(*type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  hr = SetConnection(connector, *type);
  if (FAILED(hr)) return hr;
  hr = CompleteConnect(connector);
  if (FAILED(hr)) ClearConnection();
  return hr;
}

HRESULT InputPin::CompleteConnect(IPin*) { return S_OK; }

void InputPin::BreakConnect() {
  if (allocator_) allocator_->Release();
  allocator_ = nullptr;
  readOnly_ = false;
}

HRESULT InputPin::CheckStreaming() {
  Locked flags(flagsLock_);
  if (!active_) return VFW_E_WRONG_STATE;
  if (flushing_) return S_FALSE;
  if (endOfStream_) return VFW_E_SAMPLE_REJECTED_EOS;
  return S_OK;
}

HRESULT InputPin::EndOfStream() {
  Locked receive(receiveLock_);
  const HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr == VFW_E_SAMPLE_REJECTED_EOS ? S_OK : hr;
  {
    Locked flags(flagsLock_);
    endOfStream_ = true;
  }
  return OnEndOfStream();
}

HRESULT InputPin::BeginFlush() {
  {
    Locked flags(flagsLock_);
    if (flushing_) return S_OK;
    flushing_ = true;
  }
  OnBeginFlush();
  return S_OK;
}

HRESULT InputPin::EndFlush() {
  Locked receive(receiveLock_);
  {
    Locked flags(flagsLock_);
    if (!flushing_) return S_OK;
    flushing_ = false;
    endOfStream_ = false;
  }
  OnEndFlush();
  return S_OK;
}

HRESULT InputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  Locked receive(receiveLock_);
  {
    Locked flags(flagsLock_);
    segmentStart_ = start;
    segmentStop_ = stop;
    segmentRate_ = rate;
  }
  OnNewSegment(start, stop, rate);
  return S_OK;
}

HRESULT InputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  Locked lock(filter_->FilterLock());
  if (!allocator_) {
    const HRESULT hr =
        CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IMemAllocator, reinterpret_cast<void**>(&allocator_));
    if (FAILED(hr)) {
      allocator_ = nullptr;
      *allocator = nullptr;
      return hr;
    }
  }
  *allocator = allocator_;
  allocator_->AddRef();
  return S_OK;
}

HRESULT InputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
  if (!allocator) return E_POINTER;
  Locked lock(filter_->FilterLock());
  allocator->AddRef();
  if (allocator_) allocator_->Release();
  allocator_ = allocator;
  readOnly_ = readOnly != FALSE;
  return S_OK;
}

HRESULT InputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) {
  if (!properties) return E_POINTER;
  return AllocatorRequirements(properties);
}

HRESULT InputPin::Receive(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  Locked receive(receiveLock_);
  const HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr;
  // The product's filters keep one format per stream (a file header, a
  // connection downstream): a sample that changes it is refused.
  AM_MEDIA_TYPE* changed = nullptr;
  if (sample->GetMediaType(&changed) == S_OK && changed) {
    const bool same = SameMediaType(*changed, ConnectionType());
    DeleteMediaType(changed);
    if (!same) return VFW_E_TYPE_NOT_ACCEPTED;
  }
  return OnReceive(sample);
}

HRESULT InputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (!samples || !processed) return E_POINTER;
  *processed = 0;
  HRESULT hr = S_OK;
  while (*processed < count) {
    hr = Receive(samples[*processed]);
    if (hr != S_OK) break;
    ++*processed;
  }
  return hr;
}

HRESULT InputPin::ReceiveCanBlock() { return CanBlock() ? S_OK : S_FALSE; }

HRESULT InputPin::Active() {
  Locked flags(flagsLock_);
  active_ = true;
  flushing_ = false;
  endOfStream_ = false;
  return S_OK;
}

HRESULT InputPin::Inactive() {
  {
    Locked flags(flagsLock_);
    active_ = false;
  }
  // Releases an upstream GetBuffer that waits for one of our buffers.
  if (allocator_) allocator_->Decommit();
  return S_OK;
}

void InputPin::WaitForStreamingToEnd() { Locked receive(receiveLock_); }

bool InputPin::IsFlushing() {
  Locked flags(flagsLock_);
  return flushing_;
}

bool InputPin::ReachedEndOfStream() {
  Locked flags(flagsLock_);
  return endOfStream_;
}

void InputPin::Segment(REFERENCE_TIME* start, REFERENCE_TIME* stop, double* rate) {
  Locked flags(flagsLock_);
  if (start) *start = segmentStart_;
  if (stop) *stop = segmentStop_;
  if (rate) *rate = segmentRate_;
}

HRESULT InputPin::OnEndOfStream() { return S_OK; }
void InputPin::OnBeginFlush() {}
void InputPin::OnEndFlush() {}
void InputPin::OnNewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {}
HRESULT InputPin::AllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }
bool InputPin::CanBlock() { return false; }
