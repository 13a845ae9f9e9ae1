// Resource and command identifiers of the plug-in.
#pragma once

#define IDM_LYRICS_MENU 101
#define IDD_LYRICS_WINDOW 103
#define IDD_OPTIONS 104
#define IDD_ABOUT 105

#define IDC_ABOUT_VERSION 1001

#define ID_OPTIONS 40001
#define ID_LAYOUT_ONE_LINE 40002
#define ID_LAYOUT_TWO_LINES 40003
#define ID_LAYOUT_THREE_LINES 40004
#define ID_LAYOUT_FIVE_LINES 40005
#define ID_LAYOUT_SEVEN_LINES 40006
#define ID_ABOUT 40007

// The item the plug-in adds to Winamp's menus while its frame is hidden.
#define ID_HOST_MENU_ITEM 60111
