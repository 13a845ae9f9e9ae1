// Any bytes through the editor's ".km" reader.
#include "editor/formats/fuzz/open_and_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OpenAndCheck(data, size, OpenKmFile, SaveKmFile);
  return 0;
}
