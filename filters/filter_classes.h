// The makers of the server's filter objects, one per class; each returns
// the new object's `iid` interface. The filters cannot be aggregated.
#pragma once

#include <windows.h>

#include <unknwn.h>

HRESULT CreateWaveWriterFilter(IUnknown* outer, REFIID iid, void** object);
HRESULT CreateAudioTeeFilter(IUnknown* outer, REFIID iid, void** object);
// In the kmfilters_lyrics_display library; the server offers the class
// only when that library is built.
HRESULT CreateLyricsDisplayFilter(IUnknown* outer, REFIID iid, void** object);
