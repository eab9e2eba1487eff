// A memory world holding one font file, and the records read from it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "data/FontFileInfo.h"
#include "data/VLMUtil.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/TrueTypeWriter.h"

class ReaderTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "C:\\Fonts\\TEST.TTF";

  ReaderTest() : guard_(os) { os.AddDirectory("C:\\Fonts"); }

  // The record after SetFileName (names only) and, when asked, a read of all tables.
  TFontFields Read(const std::string& font, bool allTables) {
    os.AddFile(kPath, font);
    TFontFileInfo record;
    record.SetFileName(kPath);
    if (allTables) ReadFontFile(record, true);
    return record.Snapshot();
  }
  TFontFields ReadNames(const std::string& font) { return Read(font, false); }
  TFontFields ReadAll(const std::string& font) { return Read(font, true); }

  std::string ErrorText(uint32_t code) {
    return Trim("(" + std::to_string(code) + ") " + os.ErrorMessage(code));
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard_;
};
