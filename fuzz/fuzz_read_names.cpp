// The names-only read of a font file, as folder listings do it.
#include "fuzz/fuzz_font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReadFont(data, size, false);
  return 0;
}
