// Dropped-file lists as another program may put them on the clipboard.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sys/DropFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sys::DroppedFiles dropped;
  sys::ParseDropFiles(std::string_view(reinterpret_cast<const char*>(data), size), dropped);
  for (const std::string& name : dropped.names)
    if (name.empty() || name.size() > sys::kMaxDropName) std::abort();
  return 0;
}
