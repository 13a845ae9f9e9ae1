// Any bytes through the editor's LRC reader: every file opens. Plain LRC
// keeps no end times, which word tags can give.
#include "editor/formats/fuzz/open_and_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OpenAndCheck(data, size, OpenLrcFile, SaveLrcFile, true, false);
  return 0;
}
