// The lyrics window's state that survives a restart: layout, frame
// rectangle and whether the frame is shown, stored as "APP".
#pragma once

#include <windows.h>

#include <cstdint>

struct LyricsWindowState {
  int32_t layout;  // 1 One Line ... 5 Seven Lines
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  int32_t visible;  // 1 shown, 0 hidden
};
static_assert(sizeof(LyricsWindowState) == 24, "stored as 24 bytes");

constexpr const char* kWindowStateValue = "APP";

LyricsWindowState DefaultWindowState();

// Whether the rectangle lies at least partly on `desktop`.
bool IsOnDesktop(const LyricsWindowState& state, const RECT& desktop);

// "APP" as stored, or the defaults when it is missing, not 24 bytes, or
// off the desktop. A layout outside 1..5 reads as One Line.
LyricsWindowState ReadWindowState();

// Writes "APP"; false when the key or the value could not be written.
bool WriteWindowState(const LyricsWindowState& state);

bool SameWindowState(const LyricsWindowState& a, const LyricsWindowState& b);
