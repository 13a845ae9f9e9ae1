// AM_MEDIA_TYPE helpers: the format block lives in task memory, as the
// graph and the other filters expect.
#pragma once

#include <windows.h>

#include <mmsystem.h>
#include <mmreg.h>
#include <strmif.h>
#include <vfwmsgs.h>

// Deep copy of `source` into `target` (whose old contents are not freed).
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE& source);
// Frees the format block and the format's IUnknown; the struct stays.
void FreeMediaType(AM_MEDIA_TYPE& type);
// A task-memory copy, freed by the receiver with DeleteMediaType.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE& source);
void DeleteMediaType(AM_MEDIA_TYPE* type);

// The same major type, subtype, format type and format block.
bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// Uncompressed integer PCM audio described by a WAVEFORMATEX (plain or
// extensible), with sane block alignment and rate: the one format the
// product's filters take. Stream types and float audio are refused.
bool IsPcmAudioType(const AM_MEDIA_TYPE& type);
// The wave format of a type that passed IsPcmAudioType.
inline const WAVEFORMATEX& WaveFormatOf(const AM_MEDIA_TYPE& type) {
  return *reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

// An AM_MEDIA_TYPE that frees what it holds.
struct MediaType : AM_MEDIA_TYPE {
  MediaType() : AM_MEDIA_TYPE() {}
  ~MediaType() { FreeMediaType(*this); }
  MediaType(const MediaType&) = delete;
  MediaType& operator=(const MediaType&) = delete;
  // Replaces the contents with a copy of `source`.
  HRESULT Set(const AM_MEDIA_TYPE& source) {
    FreeMediaType(*this);
    return CopyMediaType(this, source);
  }
  void Clear() { FreeMediaType(*this); }
};
