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
// 284 bytes in a 32-bit process; 296 in a 64-bit one (8-byte handle and
// pointer, padding before the pointer).
static_assert(sizeof(EmbedWindowRecord) == (sizeof(void*) == 4 ? 284 : 296),
              "Winamp reads the record with this layout");

// What IPC_GET_EMBEDIF returns: makes the frame, stores it in the record
// and returns it.
using EmbedWindowFunction = HWND (*)(EmbedWindowRecord* record);
