// Feeds fuzzer bytes to ReadFontFile as the one file of a memory world: its
// first face, and for a collection also its second and its last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/FontFileInfo.h"
#include "sys/memory/MemoryBackend.h"

inline void FuzzReadFont(const uint8_t* data, size_t size, bool allTables) {
  static sys::MemoryBackend os;  // one world; the file is replaced each run
  static sys::ScopedBackend guard(os);
  static const char* const kPath = "C:\\Fonts\\FUZZ.TTF";
  os.AddFile(kPath, std::string(reinterpret_cast<const char*>(data), size));
  const auto readFace = [allTables](uint32_t face) {
    TFontFileInfo record;
    record.SetFileName(kPath, face);
    if (allTables) {
      const TFontFields fields = record.Fields();
      // The record must stay consistent: read or bad, never neither.
      if (!fields.InfoRead && !fields.Bad) __builtin_trap();
    }
    // A face count is only taken from a collection that holds the face.
    const TFontFields fields = record.Snapshot();
    if (fields.FaceCount != 0 && fields.FaceIndex >= fields.FaceCount) __builtin_trap();
    return fields.FaceCount;
  };
  const uint32_t count = readFace(0);
  if (size >= 4 && std::string_view(reinterpret_cast<const char*>(data), 4) == "ttcf") {
    readFace(1);
    if (count > 2) readFace(count - 1);
  }
}
