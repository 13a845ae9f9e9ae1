#include "filters/audio_tee/audio_delivery.h"

#include <cstring>

#include "filters/directshow/output_pin.h"

HRESULT DescribeSample(IMediaSample* sample, AudioPiece* piece) {
  *piece = AudioPiece();
  BYTE* data = nullptr;
  const HRESULT hr = sample->GetPointer(&data);
  if (FAILED(hr)) return hr;
  piece->data = data;
  piece->length = sample->GetActualDataLength();
  REFERENCE_TIME start = 0;
  REFERENCE_TIME end = 0;
  const HRESULT timed = sample->GetTime(&start, &end);
  if (SUCCEEDED(timed)) {
    piece->timed = true;
    piece->start = start;
    // VFW_S_NO_STOP_TIME: the end is start + 1; compute it from the data.
    piece->end = timed == S_OK ? end : start;
  }
  piece->discontinuity = sample->IsDiscontinuity() == S_OK;
  piece->syncPoint = sample->IsSyncPoint() == S_OK;
  piece->preroll = sample->IsPreroll() == S_OK;
  return S_OK;
}

HRESULT DeliverAudio(OutputPin& pin, long bytesPerSecond, long blockAlign,
                     const AudioPiece& piece) {
  long offset = 0;
  while (offset < piece.length) {
    IMediaSample* buffer = nullptr;
    HRESULT hr = pin.GetDeliveryBuffer(&buffer, 0);
    if (FAILED(hr)) return hr;
    long size = piece.length - offset;
    const long room = buffer->GetSize();
    if (size > room) size = room - room % (blockAlign > 0 ? blockAlign : 1);
    if (size <= 0) {
      buffer->Release();
      return E_FAIL;
    }
    BYTE* target = nullptr;
    hr = buffer->GetPointer(&target);
    if (SUCCEEDED(hr)) {
      memcpy(target, piece.data + offset, static_cast<size_t>(size));
      buffer->SetActualDataLength(size);
      if (piece.timed) {
        // The buffer's share of the span, from its byte offset.
        auto at = [&](long bytes) -> REFERENCE_TIME {
          if (bytes == piece.length && piece.end > piece.start) return piece.end;
          return piece.start + static_cast<REFERENCE_TIME>(bytes) * 10000000 / bytesPerSecond;
        };
        REFERENCE_TIME start = at(offset);
        REFERENCE_TIME end = at(offset + size);
        buffer->SetTime(&start, &end);
      } else {
        buffer->SetTime(nullptr, nullptr);
      }
      buffer->SetDiscontinuity(piece.discontinuity && offset == 0);
      buffer->SetSyncPoint(piece.syncPoint || offset > 0);
      buffer->SetPreroll(piece.preroll);
      hr = pin.Deliver(buffer);
    }
    buffer->Release();
    if (hr != S_OK) return hr;
    offset += size;
  }
  return S_OK;
}
