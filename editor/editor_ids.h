// Identifiers shared by the editor's resources, its main window and its
// controls: the child windows of the main window, the resources and every
// command of the menu (the toolbars and accelerators send the same ids).
// Included by kmedit.rc, so only preprocessor definitions live here.
#pragma once

// Child windows of the main window ("KMEditMWnd").
#define IDC_TOP_BANDS 1000
#define IDC_LOWER_BANDS 1001
#define IDC_MENU_BAR 1002
#define IDC_AUDIO_TOOLBAR 1003
#define IDC_EDIT_TOOLBAR 1004
#define IDC_POSITION_BAR 1005
#define IDC_TIME_DISPLAY 1006
#define IDC_PREVIEW_HOST 1007
#define IDC_LYRICS_TEXT 1008
#define IDC_STATUS_BAR 1009

// Resources.
#define IDR_MAIN_MENU 128
#define IDR_ACCELERATORS 128
#define IDI_PROGRAM 128
#define IDD_ABOUT 100

// File menu.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_APP_EXIT 57665

// Edit menu.
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644
#define ID_EDIT_CUT 57635
#define ID_EDIT_COPY 57634
#define ID_EDIT_PASTE 57637
#define ID_SET_SYNCPOINT 32771
#define ID_REMOVE_SYNCPOINT 32772

// Audio menu.
#define ID_AUDIO_OPEN 32773
#define ID_AUDIO_PLAY 32774
#define ID_AUDIO_PAUSE 32775
#define ID_AUDIO_STOP 32776
#define ID_AUDIO_PLAY_XX 32777
#define ID_AUDIO_PLAY_X 32778
#define ID_AUDIO_REWIND 32779
#define ID_AUDIO_FAST_FORWARD 32780

// Timestamp menu. 32783 to 32789 select the timestamp tool mode.
#define ID_TIMESTAMP_UNDO 32781
#define ID_TIMESTAMP_REDO 32782
#define ID_TIMESTAMP_SET 32783
#define ID_TIMESTAMP_REMOVE 32784
#define ID_TIMESTAMP_COMBINE 32785
#define ID_TIMESTAMP_SPLIT 32786
#define ID_TIMESTAMP_ADJUST 32787
#define ID_TIMESTAMP_MOVE 32788
#define ID_TIMESTAMP_MOVE_ALL 32789

// Options menu.
#define ID_OPTIONS_TEXT_FONT 32790
#define ID_OPTIONS_LYRICS_FONT 32791
#define ID_OPTIONS_RESTORE_DEFAULTS 32792
#define ID_OPTIONS_ANTI_ALIASED 32793

// Help menu.
#define ID_HELP_TOPICS 57670
#define ID_APP_ABOUT 57664

// The About box's controls.
#define IDC_ABOUT_ICON 101
#define IDC_ABOUT_VERSION 102
