#include "wmp/karaoke_effects.h"

HRESULT CreateKaraokeEffects(IUnknown*, REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}
