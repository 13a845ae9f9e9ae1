// Pieces of LRC text that the editor's LRC writers share.
#pragma once

#include <cstdint>

#include "editor/formats/document_lines.h"
#include "editor/formats/growable_array.h"

// A time as "[mm:ss.xx]" (or with other brackets, "<mm:ss.xx>" for word
// tags). False when no memory can be had.
bool AppendTimeTag(int32_t time, char open, char close, ByteBuilder* out);

// The non-empty header values as the ti, ar, al and by tags, each on a
// line of its own.
bool AppendHeaderTags(const DocumentSnapshot& snapshot, ByteBuilder* out);
