// Any bytes are an edit script for the lyrics document; after every step
// the document must agree with the plain reference, and nothing may read or
// write outside its memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/document/tests/edit_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = RunEditScript(data, size);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
