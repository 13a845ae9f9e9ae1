#include "filters/directshow/seeking_passthrough.h"

#include "filters/directshow/base_pin.h"

HRESULT SeekingPassThrough::QueryInterface(REFIID iid, void** object) {
  return owner_->QueryInterface(iid, object);
}
ULONG SeekingPassThrough::AddRef() { return owner_->AddRef(); }
ULONG SeekingPassThrough::Release() { return owner_->Release(); }

HRESULT SeekingPassThrough::Upstream(IMediaSeeking** seeking) {
  *seeking = nullptr;
  IPin* upstream = nullptr;
  if (FAILED(input_->ConnectedTo(&upstream))) return E_NOTIMPL;
  const HRESULT hr =
      upstream->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(seeking));
  upstream->Release();
  if (FAILED(hr)) *seeking = nullptr;
  return FAILED(hr) ? E_NOTIMPL : S_OK;
}

// Each call takes the upstream interface, forwards and releases it.
#define KM_FORWARD(call)                   \
  IMediaSeeking* upstream = nullptr;       \
  const HRESULT found = Upstream(&upstream); \
  if (FAILED(found)) return found;         \
  const HRESULT hr = upstream->call;        \
  upstream->Release();                     \
  return hr

HRESULT SeekingPassThrough::GetCapabilities(DWORD* capabilities) {
  KM_FORWARD(GetCapabilities(capabilities));
}
HRESULT SeekingPassThrough::CheckCapabilities(DWORD* capabilities) {
  KM_FORWARD(CheckCapabilities(capabilities));
}
HRESULT SeekingPassThrough::IsFormatSupported(const GUID* format) {
  KM_FORWARD(IsFormatSupported(format));
}
HRESULT SeekingPassThrough::QueryPreferredFormat(GUID* format) {
  KM_FORWARD(QueryPreferredFormat(format));
}
HRESULT SeekingPassThrough::GetTimeFormat(GUID* format) { KM_FORWARD(GetTimeFormat(format)); }
HRESULT SeekingPassThrough::IsUsingTimeFormat(const GUID* format) {
  KM_FORWARD(IsUsingTimeFormat(format));
}
HRESULT SeekingPassThrough::SetTimeFormat(const GUID* format) {
  KM_FORWARD(SetTimeFormat(format));
}
HRESULT SeekingPassThrough::GetDuration(LONGLONG* duration) {
  KM_FORWARD(GetDuration(duration));
}
HRESULT SeekingPassThrough::GetStopPosition(LONGLONG* stop) {
  KM_FORWARD(GetStopPosition(stop));
}
HRESULT SeekingPassThrough::GetCurrentPosition(LONGLONG* current) {
  KM_FORWARD(GetCurrentPosition(current));
}
HRESULT SeekingPassThrough::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat,
                                              LONGLONG source, const GUID* sourceFormat) {
  KM_FORWARD(ConvertTimeFormat(target, targetFormat, source, sourceFormat));
}
HRESULT SeekingPassThrough::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                         DWORD stopFlags) {
  KM_FORWARD(SetPositions(current, currentFlags, stop, stopFlags));
}
HRESULT SeekingPassThrough::GetPositions(LONGLONG* current, LONGLONG* stop) {
  KM_FORWARD(GetPositions(current, stop));
}
HRESULT SeekingPassThrough::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
  KM_FORWARD(GetAvailable(earliest, latest));
}
HRESULT SeekingPassThrough::SetRate(double rate) { KM_FORWARD(SetRate(rate)); }
HRESULT SeekingPassThrough::GetRate(double* rate) { KM_FORWARD(GetRate(rate)); }
HRESULT SeekingPassThrough::GetPreroll(LONGLONG* preroll) { KM_FORWARD(GetPreroll(preroll)); }

#undef KM_FORWARD
