// The installed-font table as one scan sees it. A scan checks every record
// against the table; this opens the table's key once and reads the fonts
// folder once, while each font's value is still looked up by name at the
// time of its check, unless the scan of the table itself read it a moment
// before. Nothing outlives the scan, so the next one reads the registry
// afresh.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

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

  // A value the scan of the table has just read: checks of that name take
  // its file from here instead of asking the registry twice more. Names not
  // remembered are looked up as before.
  void Remember(std::string_view valueName, std::string_view file);

 private:
  bool Known(const std::string& valueName, bool& installed, std::string& file) const;

  std::unordered_map<std::string, std::string> remembered_;  // upper-cased name -> file
  bool keyOpened_ = false;
  std::unique_ptr<sys::RegKey> key_;
  bool folderRead_ = false;
  std::string upperFontsFolder_;
};
