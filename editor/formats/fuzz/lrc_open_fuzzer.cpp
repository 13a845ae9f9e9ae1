// Any bytes through the editor's LRC reader: every file opens.
#include "editor/formats/fuzz/open_and_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OpenAndCheck(data, size, OpenLrcFile, SaveLrcFile, true);
  return 0;
}
