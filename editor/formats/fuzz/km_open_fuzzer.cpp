// Any bytes through the editor's ".km" reader: a file whose header and
// chunk sizes are sound always opens, whatever its entries hold.
#include "editor/formats/fuzz/open_and_check.h"
#include "lyrics/km_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KmLayout layout;
  const bool sound = size == 0 || ReadKmLayout(data, size, &layout);
  OpenAndCheck(data, size, OpenKmFile, SaveKmFile, sound);
  return 0;
}
