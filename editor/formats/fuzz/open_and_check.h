// What the reader fuzzers check: any bytes either open, into a document
// that the window shows and that comes back the same when saved and opened
// again, or fail with the empty template; bytes that `mustOpen` open. The
// memory checks come from the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editor/formats/editor_formats.h"

using Reader = bool (*)(OwnedBuffer file, EditorDocument& document);
using Writer = bool (*)(const LyricsDocument& document, const TimestampList& timestamps,
                        OwnedBuffer* file);

// Aborts on the first check that fails.
// `keepsEnds`: whether the format keeps the end of each pair (plain LRC
// keeps start times only).
void OpenAndCheck(const uint8_t* data, size_t size, Reader open, Writer save, bool mustOpen,
                  bool keepsEnds = true);
