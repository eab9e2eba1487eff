#include "data/InstalledFonts.h"

#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

// Look-ups of names one by one before the table is listed instead.
constexpr int kLookupsBeforeListing = 32;

}  // namespace

TInstalledFonts::TInstalledFonts() = default;
TInstalledFonts::~TInstalledFonts() = default;

sys::RegKey* TInstalledFonts::Key() {
  if (!keyOpened_) {
    keyOpened_ = true;
    key_ = OpenFontsRegKey();
  }
  return key_.get();
}

const std::vector<sys::RegValueInfo>& TInstalledFonts::UserValues() {
  if (!userRead_) {
    userRead_ = true;
    if (auto key = OpenUserFontsRegKey()) {
      std::vector<sys::RegValueInfo> values;
      key->ListValues(values);  // what could be read counts
      for (auto& value : values) {
        if (value.type != sys::kRegSz) continue;
        userNames_.insert_or_assign(UpperAscii(value.name), value.text);
        userValues_.push_back(std::move(value));
      }
    }
  }
  return userValues_;
}

void TInstalledFonts::Check(std::string_view fontName, std::string_view fileName, bool& installed,
                            bool& inFontsFolder) {
  installed = false;
  inFontsFolder = false;
  const std::string valueName = FontRegValueName(fontName);
  // Every table is keyed by the upper-cased name: made once per font.
  const std::string upperName = UpperAscii(valueName);
  if (sys::RegKey* key = Key()) {
    if (!listed_ && ++lookups_ > kLookupsBeforeListing) ListTable(*key);
    std::string file;
    const bool askKey = !listed_ || otherTypes_.count(upperName) != 0;
    if (Known(upperName, installed, file) ||
        (askKey && key->ValueExists(valueName) && (installed = true, key->ReadString(valueName, file)))) {
      inFontsFolder = InFontsFolder(file);
      return;
    }
    if (installed) return;
  }
  UserValues();
  if (userNames_.count(upperName) != 0) {
    installed = true;
    return;
  }
  if (!IsPlainTrueTypeFileName(fileName)) installed = FileListed(fileName, inFontsFolder);
}

bool TInstalledFonts::InFontsFolder(const std::string& file) {
  const std::string folder = ExtractFilePath(file);
  if (folder.empty()) return true;
  if (!folderRead_) {
    folderRead_ = true;
    upperFontsFolder_ = UpperAscii(GetFontsFolder());
  }
  return UpperAscii(folder) == upperFontsFolder_;
}

bool TInstalledFonts::FileListed(std::string_view fileName, bool& inFontsFolder) {
  if (!filesRead_) {
    filesRead_ = true;
    std::vector<sys::RegValueInfo> values;
    if (sys::RegKey* key = Key()) key->ListValues(values);
    if (!values.empty() && !folderRead_) {
      folderRead_ = true;
      upperFontsFolder_ = UpperAscii(GetFontsFolder());
    }
    for (const auto& value : values) {
      if (value.type != sys::kRegSz || value.text.empty()) continue;
      const bool bare = ExtractFilePath(value.text).empty();
      const std::string path = UpperAscii(bare ? upperFontsFolder_ + value.text : value.text);
      files_.insert_or_assign(path, InFontsFolder(value.text));
    }
    for (const auto& value : UserValues()) files_.try_emplace(UpperAscii(value.text), false);
  }
  const auto it = files_.find(UpperAscii(fileName));
  if (it == files_.end()) return false;
  inFontsFolder = it->second;
  return true;
}

void TInstalledFonts::ListTable(sys::RegKey& key) {
  std::vector<sys::RegValueInfo> values;
  lookups_ = 0;  // a table that cannot be listed is tried again later
  if (!key.ListValues(values)) return;
  listed_ = true;
  for (const auto& value : values) {
    if (value.type == sys::kRegSz) {
      Remember(value.name, value.text);
    } else {
      otherTypes_.insert(UpperAscii(value.name));
    }
  }
}

void TInstalledFonts::Remember(std::string_view valueName, std::string_view file) {
  remembered_.insert_or_assign(UpperAscii(valueName), std::string(file));
}

bool TInstalledFonts::Known(const std::string& upperName, bool& installed, std::string& file) const {
  if (remembered_.empty()) return false;
  const auto it = remembered_.find(upperName);
  if (it == remembered_.end()) return false;
  installed = true;
  file = it->second;
  return true;
}
