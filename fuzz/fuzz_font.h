// Feeds fuzzer bytes to ReadFontFile as the one file of a memory world.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/FontFileInfo.h"
#include "sys/memory/MemoryBackend.h"

inline void FuzzReadFont(const uint8_t* data, size_t size, bool allTables) {
  static sys::MemoryBackend os;  // one world; the file is replaced each run
  static sys::ScopedBackend guard(os);
  static const char* const kPath = "C:\\Fonts\\FUZZ.TTF";
  os.AddFile(kPath, std::string(reinterpret_cast<const char*>(data), size));
  TFontFileInfo record;
  record.SetFileName(kPath);
  if (allTables) {
    const TFontFields fields = record.Fields();
    // The record must stay consistent: read or bad, never neither.
    if (!fields.InfoRead && !fields.Bad) __builtin_trap();
  }
}
