// Reads a whole file into one heap buffer. Windows builds use CreateFileA
// and ReadFile; native builds use the C library.
#pragma once

#include "lyrics/lead_byte.h"
#include "lyrics/load_status.h"
#include "lyrics/owned_buffer.h"

// Longest path the plug-ins accept, without the terminating NUL.
constexpr size_t kMaxPathLength = 259;

// Invalid for a missing or unreadable file or a path that is too long,
// OutOfMemory when the buffer cannot be allocated.
LoadStatus ReadWholeFile(const char* path, OwnedBuffer& contents);

// The lead-byte test of the system's ANSI code page (IsDBCSLeadByte on
// Windows; native builds treat text as single-byte).
bool SystemLeadByte(unsigned char byte);
