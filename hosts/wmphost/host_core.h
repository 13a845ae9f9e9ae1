// The player core that the host hands to a visualization (IWMPCore and its
// IWMPControls). Position and current item come from a PlayerSource; every
// other call goes to the real player behind the source, or answers
// E_NOTIMPL when there is none.
#pragma once

#include <windows.h>

#include <wmp.h>

#include "hosts/wmphost/player_source.h"

// A new core with one reference for the caller. The source must outlive it
// and every controls object it hands out.
IWMPCore* CreateHostCore(PlayerSource* source);
