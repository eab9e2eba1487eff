// The font file operations' world: a second drive with a source folder beside
// the fonts folder.
#pragma once

#include <memory>
#include <string>

#include "data/FontFileInfo.h"
#include "tests/data/scan_fixture.h"

class FileOpsTest : public ScanTest {
 protected:
  static constexpr const char* kSrc = "D:\\Src\\";

  FileOpsTest() {
    os.SetDrives({"C:\\", "D:\\"});
    os.AddDirectory("D:\\Src");
  }

  static std::string FontBytes(const std::string& fontName) { return tt::StandardFont(fontName).Build(); }

  // A record read from a file made for it.
  std::unique_ptr<TFontFileInfo> Record(const std::string& path, const std::string& fontName) {
    if (!os.HasFile(path)) AddFont(path, fontName);
    auto record = std::make_unique<TFontFileInfo>();
    record->SetFileName(path);
    return record;
  }
  // A font installed the way Windows installs one: in the fonts folder, by bare name.
  std::unique_ptr<TFontFileInfo> InstalledFont(const std::string& bareName, const std::string& fontName) {
    AddFont(kFontsDir + bareName, fontName);
    Install(fontName, bareName);
    os.AddFont(kFontsDir + bareName);
    return Record(kFontsDir + bareName, fontName);
  }

  std::wstring LastMessage() const {
    return os.Messages().empty() ? std::wstring() : os.Messages().back().text;
  }
};
