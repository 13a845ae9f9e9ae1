// Resource identifiers of kmwmp.dll, shared by the resource script and the
// code. The macros are for the resource compiler; code uses the constants.
#pragma once

#define KM_STRING_MODULE_NAME 100
#define KM_STRING_TITLE 101
#define KM_STRING_FIRST_PRESET 102
#define KM_STRING_DESCRIPTION 107
#define KM_STRING_GENERAL_PAGE 108
#define KM_STRING_HELP_PAGE 109

// The pages' help file and document strings; the table has none.
#define KM_STRING_GENERAL_HELP_FILE 110
#define KM_STRING_HELP_HELP_FILE 111
#define KM_STRING_GENERAL_DOCUMENT 112
#define KM_STRING_HELP_DOCUMENT 113

#define KM_ICON_PRODUCT 122

#define KM_DIALOG_GENERAL_PAGE 201
#define KM_DIALOG_HELP_PAGE 202
#define KM_CONTROL_WEB_LINK 219
#define KM_CONTROL_MAIL_LINK 220
#define KM_CONTROL_MORE_INFO 237

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

constexpr unsigned kStringGeneralHelpFile = KM_STRING_GENERAL_HELP_FILE;
constexpr unsigned kStringHelpHelpFile = KM_STRING_HELP_HELP_FILE;
constexpr unsigned kStringGeneralDocument = KM_STRING_GENERAL_DOCUMENT;
constexpr unsigned kStringHelpDocument = KM_STRING_HELP_DOCUMENT;

constexpr unsigned kIconProduct = KM_ICON_PRODUCT;
constexpr unsigned kDialogGeneralPage = KM_DIALOG_GENERAL_PAGE;
constexpr unsigned kDialogHelpPage = KM_DIALOG_HELP_PAGE;
constexpr int kControlWebLink = KM_CONTROL_WEB_LINK;
constexpr int kControlMailLink = KM_CONTROL_MAIL_LINK;
constexpr int kControlMoreInfo = KM_CONTROL_MORE_INFO;

// Registrar scripts, resource type "REGISTRY".
constexpr unsigned kRegistryEffects = KM_REGISTRY_EFFECTS;
constexpr unsigned kRegistryGeneralPage = KM_REGISTRY_GENERAL_PAGE;
constexpr unsigned kRegistryHelpPage = KM_REGISTRY_HELP_PAGE;
#endif
