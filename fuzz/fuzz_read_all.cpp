// The read of all tables, as the first lazy getter does it.
#include "fuzz/fuzz_font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReadFont(data, size, true);
  return 0;
}
