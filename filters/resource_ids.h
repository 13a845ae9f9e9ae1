// Resource identifiers of kmfilters.dll.
#pragma once

#define KM_REGISTRY_WAVE_WRITER 201
#define KM_REGISTRY_AUDIO_TEE 202
#define KM_REGISTRY_LYRICS_DISPLAY 203
