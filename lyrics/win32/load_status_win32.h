// The two edges of every loader result: HRESULT for the Windows Media
// Player plug-in, true/false for the Winamp plug-in.
#pragma once

#include <windows.h>

#include "lyrics/load_status.h"

inline HRESULT LoadStatusToHresult(LoadStatus status) {
  switch (status) {
    case LoadStatus::Loaded:
      return S_OK;
    case LoadStatus::OutOfMemory:
      return E_OUTOFMEMORY;
    case LoadStatus::Invalid:
      break;
  }
  return E_FAIL;
}

inline bool LoadStatusToBool(LoadStatus status) { return status == LoadStatus::Loaded; }
