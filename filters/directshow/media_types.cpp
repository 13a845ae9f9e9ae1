#include "filters/directshow/media_types.h"

#include <mmreg.h>
#include <objbase.h>
#include <uuids.h>

#include <cstring>

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source) {
  *target = source;
  target->pbFormat = nullptr;
  target->cbFormat = 0;
  if (source.cbFormat && source.pbFormat) {
    target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
    if (!target->pbFormat) {
      target->pUnk = nullptr;
      return E_OUTOFMEMORY;
    }
    std::memcpy(target->pbFormat, source.pbFormat, source.cbFormat);
    target->cbFormat = source.cbFormat;
  }
  if (target->pUnk) target->pUnk->AddRef();
  return S_OK;
}

void FreeMediaType(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source) {
  auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!type) return nullptr;
  if (FAILED(CopyMediaType(type, source))) {
    CoTaskMemFree(type);
    return nullptr;
  }
  return type;
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  FreeMediaType(*type);
  CoTaskMemFree(type);
}

bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
  return IsEqualGUID(a.majortype, b.majortype) && IsEqualGUID(a.subtype, b.subtype) &&
         IsEqualGUID(a.formattype, b.formattype) && a.cbFormat == b.cbFormat &&
         (a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

bool IsPcmAudioType(const AM_MEDIA_TYPE& type) {
  if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) ||
      !IsEqualGUID(type.subtype, MEDIASUBTYPE_PCM) ||
      !IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || !type.pbFormat ||
      type.cbFormat < sizeof(PCMWAVEFORMAT)) {
    return false;
  }
  const auto& format = *reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
  if (format.nChannels == 0 || format.nSamplesPerSec == 0 || format.wBitsPerSample == 0 ||
      format.wBitsPerSample % 8 != 0 || format.wBitsPerSample > 32 ||
      format.nBlockAlign != format.nChannels * (format.wBitsPerSample / 8) ||
      format.nAvgBytesPerSec != format.nSamplesPerSec * format.nBlockAlign) {
    return false;
  }
  if (format.wFormatTag == WAVE_FORMAT_PCM) return true;
  if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE ||
      type.cbFormat < sizeof(WAVEFORMATEXTENSIBLE) || format.cbSize < 22) {
    return false;
  }
  const auto& extensible = *reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(type.pbFormat);
  return IsEqualGUID(extensible.SubFormat, MEDIASUBTYPE_PCM);
}
