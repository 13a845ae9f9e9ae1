// Control identifiers of the display options form. The two plug-ins number
// the same controls differently; a resource script defines
// KM_OPTIONS_FOR_WINAMP or KM_OPTIONS_FOR_WMP before including the layout.
#pragma once

#if defined(KM_OPTIONS_FOR_WINAMP)
#define KMO_FACE 1000
#define KMO_STYLE 1001
#define KMO_SIZE 1002
#define KMO_BACKGROUND 1003
#define KMO_TEXT 1004
#define KMO_HIGHLIGHT_TOP 1005
#define KMO_HIGHLIGHT_BOTTOM 1006
#define KMO_GRADIENT 1007
#define KMO_PREVIEW 1012
#define KMO_ANTI_ALIASED 1018
#define KMO_ALTERNATE 1019
#define KMO_H_CENTERED 1020
#define KMO_LEFT 1021
#define KMO_V_CENTERED 1022
#define KMO_TOP 1023
#define KMO_BOTTOM 1024
#define KMO_TOP_PERCENT 1025
#define KMO_BOTTOM_PERCENT 1026
#define KMO_LEFT_MARGIN 1027
#define KMO_TOP_MARGIN 1028
#define KMO_BOTTOM_MARGIN 1029
#define KMO_SAMPLE 1030
#define KMO_DIRECTORY 1031
#define KMO_FONT_BUTTON 1034
#define KMO_BROWSE 1035
#elif defined(KM_OPTIONS_FOR_WMP)
#define KMO_FACE 210
#define KMO_STYLE 211
#define KMO_SIZE 212
#define KMO_BACKGROUND 213
#define KMO_TEXT 214
#define KMO_HIGHLIGHT_TOP 215
#define KMO_HIGHLIGHT_BOTTOM 216
#define KMO_GRADIENT 217
#define KMO_PREVIEW 218
#define KMO_ANTI_ALIASED 226
#define KMO_ALTERNATE 227
#define KMO_H_CENTERED 228
#define KMO_LEFT 229
#define KMO_V_CENTERED 230
#define KMO_TOP 231
#define KMO_BOTTOM 232
#define KMO_FONT_BUTTON 233
#define KMO_BROWSE 236
#define KMO_TOP_PERCENT 238
#define KMO_BOTTOM_PERCENT 239
#define KMO_SAMPLE 240
#define KMO_LEFT_MARGIN 241
#define KMO_TOP_MARGIN 242
#define KMO_BOTTOM_MARGIN 243
#define KMO_DIRECTORY 244
#endif
