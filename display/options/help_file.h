// Opens the product's help file, "kmhelp.chm" in the installation folder
// named by the default value of HKEY_CURRENT_USER\Software\Kamiru. Does
// nothing when the folder is not recorded.
#pragma once

#include <windows.h>

// The help file's path; false when the folder is not recorded or too long.
bool HelpFilePath(char (&path)[MAX_PATH]);

void OpenHelpFile(HWND owner);
