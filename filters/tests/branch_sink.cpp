#include "filters/tests/branch_sink.h"

#include "filters/directshow/media_types.h"

// Any class id: the sink is made directly, never through COM.
BranchSink::BranchSink(bool stuckSink)
    : BaseFilter(GUID_NULL, L"Branch sink"),
      stuck(stuckSink),
      release(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      input_(this) {}

BranchSink::~BranchSink() { CloseHandle(release); }

BranchSinkInput::BranchSinkInput(BranchSink* sink) : InputPin(sink, L"In"), sink_(sink) {}

HRESULT BranchSinkInput::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return IsPcmAudioType(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT BranchSinkInput::Inactive() {
  SetEvent(sink_->release);
  return InputPin::Inactive();
}

HRESULT BranchSinkInput::OnReceive(IMediaSample* sample) {
  InterlockedIncrement(&sink_->samples);
  InterlockedExchangeAdd(&sink_->bytes, sample->GetActualDataLength());
  if (sink_->stuck) WaitForSingleObject(sink_->release, INFINITE);
  return S_OK;
}

HRESULT BranchSinkInput::OnEndOfStream() {
  InterlockedIncrement(&sink_->endsOfStream);
  return S_OK;
}

void BranchSinkInput::OnBeginFlush() { SetEvent(sink_->release); }
