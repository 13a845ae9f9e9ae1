// The server's two property pages: "General" (the display options) and
// "Help" (the offset keys, the help file and product information).
#pragma once

#include <windows.h>

#include <unknwn.h>

HRESULT CreateGeneralPage(IUnknown* outer, REFIID iid, void** object);
HRESULT CreateHelpPage(IUnknown* outer, REFIID iid, void** object);
