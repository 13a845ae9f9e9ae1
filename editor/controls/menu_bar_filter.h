// The message filter that lets the menu bar see the input of its open
// pop-up menu: sliding to another title with the mouse or the Left and
// Right keys, and closing the pop-up by a second click on its own title.
// It is installed for exactly the time TrackPopupMenuEx runs.
#pragma once

#include "editor/controls/menu_bar.h"

// Installs a WH_MSGFILTER hook on the current thread that hands the pop-up's
// messages to `bar`. False when the hook cannot be installed or another
// bar's pop-up is open.
bool InstallMenuBarFilter(MenuBar& bar);
void RemoveMenuBarFilter();

// Handles one message of the open pop-up's loop; true when it is swallowed.
bool MenuBarFilterMessage(MenuBar& bar, const MSG& message);
