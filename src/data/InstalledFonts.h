// The installed-font table as one scan sees it. A scan checks every record
// against the table; this opens the table's key once and reads the fonts
// folder once, while each font's value is still looked up by name at the
// time of its check. Nothing outlives the scan, so the next one reads the
// registry afresh.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace sys {
class RegKey;
}

class TInstalledFonts {
 public:
  TInstalledFonts();
  ~TInstalledFonts();
  TInstalledFonts(const TInstalledFonts&) = delete;
  TInstalledFonts& operator=(const TInstalledFonts&) = delete;

  // Whether the table holds a value for `fontName`, and whether that value
  // names a file in the fonts folder (or a bare file name).
  void Check(std::string_view fontName, bool& installed, bool& inFontsFolder);

  // The table's key, opened on first use; null when it cannot be opened.
  sys::RegKey* Key();

 private:
  bool keyOpened_ = false;
  std::unique_ptr<sys::RegKey> key_;
  bool folderRead_ = false;
  std::string upperFontsFolder_;
};
