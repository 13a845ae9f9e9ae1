// The record that Winamp's embedding function turns into a skinned frame.
#pragma once

#include <windows.h>

#include <cstdint>

struct EmbedWindowRecord {
  HWND frame;              // filled in by Winamp
  int32_t flags;           // 0
  RECT rect;               // frame rectangle, screen coordinates
  void* userData;          // 0
  int32_t hostData[64];    // Winamp's own
};
static_assert(sizeof(EmbedWindowRecord) == 284, "Winamp reads 284 bytes");

// What IPC_GET_EMBEDIF returns: makes the frame, stores it in the record
// and returns it.
using EmbedWindowFunction = HWND (*)(EmbedWindowRecord* record);
