#include "com_server/server_classes.h"

#include "wmp/karaoke_effects.h"
#include "wmp/property_pages.h"
#include "wmp/resource_ids.h"
#include "wmp/wmp_effects.h"

const ServerClass kServerClasses[] = {
    {kClsidKaraokeEffects, CreateKaraokeEffects, kRegistryEffects},
    {kClsidGeneralPage, CreateGeneralPage, kRegistryGeneralPage},
    {kClsidHelpPage, CreateHelpPage, kRegistryHelpPage},
};
const int kServerClassCount = sizeof kServerClasses / sizeof kServerClasses[0];
static_assert(sizeof kServerClasses / sizeof kServerClasses[0] <= kMaxServerClasses,
              "too many server classes");
