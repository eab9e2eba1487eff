// The data layer's world holding one font file, and the records read from it.
#pragma once

#include <string>

#include "data/FontFileInfo.h"
#include "tests/data/scan_fixture.h"

class ReaderTest : public ScanTest {
 protected:
  static constexpr const char* kPath = "C:\\Fonts\\TEST.TTF";

  ReaderTest() { os.AddDirectory("C:\\Fonts"); }

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
};
