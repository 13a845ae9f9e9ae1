// The filter classes of kmfilters.dll, in the order of registration.
#include "com_server/server_classes.h"

#include "filters/filter_classes.h"
#include "filters/filter_ids.h"
#include "filters/resource_ids.h"

#ifdef KM_HAVE_LYRICS_DISPLAY
#define KM_LYRICS_DISPLAY_MAKER CreateLyricsDisplayFilter
#else
#define KM_LYRICS_DISPLAY_MAKER nullptr
#endif

const ServerClass kServerClasses[] = {
    {kClsidWaveWriterFilter, CreateWaveWriterFilter, KM_REGISTRY_WAVE_WRITER},
    {kClsidAudioTeeFilter, CreateAudioTeeFilter, KM_REGISTRY_AUDIO_TEE},
    {kClsidLyricsDisplayFilter, KM_LYRICS_DISPLAY_MAKER, KM_REGISTRY_LYRICS_DISPLAY},
};
const int kServerClassCount = sizeof kServerClasses / sizeof kServerClasses[0];
static_assert(sizeof kServerClasses / sizeof kServerClasses[0] <= kMaxServerClasses,
              "too many server classes");
