// Any bytes through the editor's LRC reader, saved as word-timed LRC: every
// file opens, and what it opened as reopens the same from its word tags.
#include "editor/formats/fuzz/open_and_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OpenAndCheck(data, size, OpenLrcFile, SaveWordLrcFile, true);
  return 0;
}
