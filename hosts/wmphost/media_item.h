// A media item of the host's own playlist: source URL, name and duration.
#pragma once

#include <windows.h>

#include <wmp.h>

#include <string>

// A new item with one reference for the caller. The name is the URL's file
// name without its extension, as the player shows it.
IWMPMedia* CreateMediaItem(const std::wstring& url, double durationSeconds);
