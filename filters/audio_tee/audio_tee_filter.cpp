#include "filters/audio_tee/audio_tee_filter.h"

#include "filters/directshow/media_types.h"
#include "filters/filter_classes.h"
#include "filters/filter_ids.h"

namespace {

// Output buffers hold about a tenth of a second at least, so that a
// renderer with small requirements still gets few, large deliveries.
long DefaultBufferBytes(const WAVEFORMATEX& format) {
  const long bytes = static_cast<long>(format.nAvgBytesPerSec / 10);
  return bytes - bytes % format.nBlockAlign + format.nBlockAlign;
}

}  // namespace

TeeInput::TeeInput(AudioTeeFilter* filter) : InputPin(filter, L"Input"), tee_(filter) {}

HRESULT TeeInput::CheckMediaType(const AM_MEDIA_TYPE& type) {
  if (!IsPcmAudioType(type)) return VFW_E_TYPE_NOT_ACCEPTED;
  // The outputs pass the bytes on unchanged: a reconnection must keep
  // the type they were connected with.
  for (TeeOutput* output : {&tee_->Audio(), &tee_->Branch()}) {
    if (output->IsConnected() && !SameMediaType(type, output->ConnectionType())) {
      return VFW_E_TYPE_NOT_ACCEPTED;
    }
  }
  return S_OK;
}

HRESULT TeeInput::OnReceive(IMediaSample* sample) {
  AudioPiece piece;
  HRESULT hr = DescribeSample(sample, &piece);
  if (FAILED(hr)) return hr;
  if (piece.length <= 0) return S_OK;
  if (tee_->Branch().IsConnected()) tee_->BranchStream().PushSample(piece);
  if (!tee_->Audio().IsConnected()) return S_OK;
  const WAVEFORMATEX& format = WaveFormatOf(ConnectionType());
  return DeliverAudio(tee_->Audio(), static_cast<long>(format.nAvgBytesPerSec),
                      format.nBlockAlign, piece);
}

HRESULT TeeInput::OnEndOfStream() {
  tee_->BranchStream().PushEndOfStream();
  return tee_->Audio().DeliverEndOfStream();
}

void TeeInput::OnBeginFlush() {
  // Releases a Receive that waits for the renderer's buffers.
  tee_->BranchStream().BeginFlush();
  tee_->Audio().DeliverBeginFlush();
}

void TeeInput::OnEndFlush() {
  tee_->BranchStream().EndFlush();
  tee_->Audio().DeliverEndFlush();
}

void TeeInput::OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  tee_->BranchStream().PushNewSegment(start, stop, rate);
  tee_->Audio().DeliverNewSegment(start, stop, rate);
}

TeeOutput::TeeOutput(AudioTeeFilter* filter, const wchar_t* name, bool seeks)
    : OutputPin(filter, name), tee_(filter), seeks_(seeks), seeking_(this, &filter->Input()) {}

HRESULT TeeOutput::CheckMediaType(const AM_MEDIA_TYPE& type) {
  const TeeInput& input = tee_->Input();
  if (!input.IsConnected()) return VFW_E_NOT_CONNECTED;
  return SameMediaType(type, input.ConnectionType()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TeeOutput::GetMediaType(int index, AM_MEDIA_TYPE* type) {
  if (index != 0 || !tee_->Input().IsConnected()) return VFW_S_NO_MORE_ITEMS;
  return CopyMediaType(type, tee_->Input().ConnectionType());
}

HRESULT TeeOutput::QueryPinInterface(REFIID iid, void** object) {
  if (!seeks_ || !IsEqualIID(iid, IID_IMediaSeeking)) return E_NOINTERFACE;
  *object = static_cast<IMediaSeeking*>(&seeking_);
  AddRef();
  return S_OK;
}

HRESULT TeeOutput::DecideBufferSize(const ALLOCATOR_PROPERTIES& receiverNeeds,
                                    ALLOCATOR_PROPERTIES* request) {
  const TeeInput& input = tee_->Input();
  if (!input.IsConnected()) return VFW_E_NOT_CONNECTED;
  long size = DefaultBufferBytes(WaveFormatOf(input.ConnectionType()));
  ALLOCATOR_PROPERTIES upstream = {};
  if (input.Allocator() && SUCCEEDED(input.Allocator()->GetProperties(&upstream)) &&
      upstream.cbBuffer > size) {
    size = upstream.cbBuffer;
  }
  request->cbBuffer = receiverNeeds.cbBuffer > size ? receiverNeeds.cbBuffer : size;
  request->cBuffers = receiverNeeds.cBuffers > 4 ? receiverNeeds.cBuffers : 4;
  request->cbAlign = receiverNeeds.cbAlign > 1 ? receiverNeeds.cbAlign : 1;
  request->cbPrefix = receiverNeeds.cbPrefix;
  return S_OK;
}

AudioTeeFilter::AudioTeeFilter()
    : BaseFilter(kClsidAudioTeeFilter, L"KMWT"),
      input_(this),
      audio_(this, L"Output", true),
      branch_(this, L"~Branch", false),
      branchQueue_(branch_) {}

AudioTeeFilter::~AudioTeeFilter() = default;

BasePin* AudioTeeFilter::PinAt(int index) {
  switch (index) {
    case 0:
      return &input_;
    case 1:
      return &audio_;
    case 2:
      return &branch_;
    default:
      return nullptr;
  }
}

HRESULT AudioTeeFilter::OnPause(FILTER_STATE from) {
  if (from != State_Stopped || !branch_.IsConnected() || !input_.IsConnected()) return S_OK;
  const WAVEFORMATEX& format = WaveFormatOf(input_.ConnectionType());
  return branchQueue_.Start(static_cast<long>(format.nAvgBytesPerSec), format.nBlockAlign);
}

void AudioTeeFilter::OnStop() {
  // The branch's allocator is decommitted by now, so a delivery under way
  // returns at once.
  branchQueue_.RequestStop();
  branchQueue_.Join();
}

HRESULT CreateAudioTeeFilter(IUnknown* outer, REFIID iid, void** object) {
  return CreateFilterObject<AudioTeeFilter>(outer, iid, object);
}
