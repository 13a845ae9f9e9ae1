// Resource identifiers of kmwmp.dll, shared by the resource script and the
// code. The macros are for the resource compiler; code uses the constants.
#pragma once

#define KM_STRING_MODULE_NAME 100
#define KM_STRING_TITLE 101
#define KM_STRING_FIRST_PRESET 102
#define KM_STRING_DESCRIPTION 107
#define KM_STRING_GENERAL_PAGE 108
#define KM_STRING_HELP_PAGE 109

#define KM_REGISTRY_EFFECTS 118
#define KM_REGISTRY_GENERAL_PAGE 119
#define KM_REGISTRY_HELP_PAGE 120

#ifndef RC_INVOKED
constexpr unsigned kStringModuleName = KM_STRING_MODULE_NAME;
constexpr unsigned kStringTitle = KM_STRING_TITLE;
// The five presets' titles follow in order: One Line to Seven Lines.
constexpr unsigned kStringFirstPreset = KM_STRING_FIRST_PRESET;
constexpr unsigned kStringDescription = KM_STRING_DESCRIPTION;
constexpr unsigned kStringGeneralPage = KM_STRING_GENERAL_PAGE;
constexpr unsigned kStringHelpPage = KM_STRING_HELP_PAGE;

// Registrar scripts, resource type "REGISTRY".
constexpr unsigned kRegistryEffects = KM_REGISTRY_EFFECTS;
constexpr unsigned kRegistryGeneralPage = KM_REGISTRY_GENERAL_PAGE;
constexpr unsigned kRegistryHelpPage = KM_REGISTRY_HELP_PAGE;
#endif
