// The code points of a face's cmap table, as the character map's Unicode mode
// reads them: its first face, and for a collection also its second.
#include <algorithm>
#include <string>
#include <string_view>

#include "data/CharacterMap.h"
#include "sys/memory/MemoryBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static sys::MemoryBackend os;
  static sys::ScopedBackend guard(os);
  static const char* const kPath = "C:\\Fonts\\FUZZ.TTF";
  os.AddFile(kPath, std::string(reinterpret_cast<const char*>(data), size));
  const bool collection = size >= 4 && std::string_view(reinterpret_cast<const char*>(data), 4) == "ttcf";
  for (uint32_t face = 0; face < (collection ? 2u : 1u); ++face) {
    const std::vector<char32_t> points = ReadCodePoints(kPath, face);
    // Ascending, each once, within the code points.
    if (std::adjacent_find(points.begin(), points.end(), [](char32_t a, char32_t b) { return a >= b; }) !=
            points.end() ||
        (!points.empty() && points.back() > 0x10FFFF))
      __builtin_trap();
  }
  return 0;
}
