// The installed-font tables as one scan sees them: the machine's and the
// current user's. A scan checks every record against them; this opens the
// machine's key once and reads the fonts folder once. The first fonts' values
// are looked up by name at the time of their check, unless the scan of the
// table itself read them a moment before; past a few dozen the machine's
// table is listed once and the rest are answered from the listing, since
// under Wine every look-up is a round trip to the server. The user's table, small, is listed
// once; so are both tables' files, for the fonts that are found by their file
// (collections, whose value names their faces together, and CFF fonts).
// Nothing outlives the scan, so the next one reads the registry afresh.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sys/sys.h"


class TInstalledFonts {
 public:
  TInstalledFonts();
  ~TInstalledFonts();
  TInstalledFonts(const TInstalledFonts&) = delete;
  TInstalledFonts& operator=(const TInstalledFonts&) = delete;

  // Whether a table holds a value for `fontName` (a plain .TTF file counts
  // by that name alone, as always) or, for a file of another kind, a value
  // naming `fileName`; and whether the value is the machine's and names a
  // file in the fonts folder (or a bare file name).
  void Check(std::string_view fontName, std::string_view fileName, bool& installed,
             bool& inFontsFolder);

  // The machine table's key, opened on first use; null when it cannot be opened.
  sys::RegKey* Key();
  // The string values of the current user's table, listed on first use.
  const std::vector<sys::RegValueInfo>& UserValues();

  // A value the scan of the table has just read: checks of that name take
  // its file from here instead of asking the registry twice more. Names not
  // remembered are looked up as before.
  void Remember(std::string_view valueName, std::string_view file);

 private:
  bool Known(const std::string& upperName, bool& installed, std::string& file) const;
  // Lists the machine's table into the remembered values.
  void ListTable(sys::RegKey& key);
  bool InFontsFolder(const std::string& file);
  bool FileListed(std::string_view fileName, bool& inFontsFolder);

  std::unordered_map<std::string, std::string> remembered_;  // upper-cased name -> file
  int lookups_ = 0;
  // remembered_ holds every string value of the machine's table; the names
  // of its values of other types are still looked up one by one.
  bool listed_ = false;
  std::unordered_set<std::string> otherTypes_;
  bool keyOpened_ = false;
  std::unique_ptr<sys::RegKey> key_;
  bool folderRead_ = false;
  std::string upperFontsFolder_;
  bool userRead_ = false;
  std::vector<sys::RegValueInfo> userValues_;
  std::unordered_map<std::string, std::string> userNames_;  // upper-cased name -> file
  bool filesRead_ = false;
  std::unordered_map<std::string, bool> files_;  // upper-cased full path -> in the fonts folder
};
