#include "wmp/server_classes.h"

#include "wmp/karaoke_effects.h"
#include "wmp/property_pages.h"
#include "wmp/resource_ids.h"
#include "wmp/wmp_effects.h"

const ServerClass kServerClasses[kServerClassCount] = {
    {kClsidKaraokeEffects, CreateKaraokeEffects, kRegistryEffects},
    {kClsidGeneralPage, CreateGeneralPage, kRegistryGeneralPage},
    {kClsidHelpPage, CreateHelpPage, kRegistryHelpPage},
};

int FindServerClass(REFCLSID clsid) {
  for (int i = 0; i < kServerClassCount; ++i) {
    if (IsEqualCLSID(clsid, kServerClasses[i].clsid)) return i;
  }
  return -1;
}
