// The visualization object the player creates: lyrics of the playing song,
// drawn karaoke-style in one of five layouts (the presets).
#pragma once

#include <windows.h>

#include <unknwn.h>

// Makes a KaraokeEffects object, aggregated into `outer` when given, and
// returns its `iid` interface: the object half of the class factory's
// CreateInstance. The module lock is held while the object lives.
HRESULT CreateKaraokeEffects(IUnknown* outer, REFIID iid, void** object);
