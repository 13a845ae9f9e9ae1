// Reads a RIFF WAVE file once, front to back, into its table of peaks.
#pragma once

#include <windows.h>

#include "filters/core/peak_table.h"

// S_OK and the table; a failure code when the file cannot be read
// (HRESULT_FROM_WIN32 of the system's error) or is no WAVE file of a kind
// the table takes (VFW_E_INVALID_FILE_FORMAT).
HRESULT LoadPeaks(const wchar_t* path, PeakTable* table);
