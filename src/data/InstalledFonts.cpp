#include "data/InstalledFonts.h"

#include "data/VLMUtil.h"
#include "sys/sys.h"

TInstalledFonts::TInstalledFonts() = default;
TInstalledFonts::~TInstalledFonts() = default;

sys::RegKey* TInstalledFonts::Key() {
  if (!keyOpened_) {
    keyOpened_ = true;
    key_ = OpenFontsRegKey();
  }
  return key_.get();
}

void TInstalledFonts::Check(std::string_view fontName, bool& installed, bool& inFontsFolder) {
  installed = false;
  inFontsFolder = false;
  sys::RegKey* key = Key();
  if (!key) return;
  const std::string valueName = FontRegValueName(fontName);
  std::string file;
  if (!Known(valueName, installed, file)) {
    installed = key->ValueExists(valueName);
    if (!installed || !key->ReadString(valueName, file)) return;
  }
  const std::string folder = ExtractFilePath(file);
  if (folder.empty()) {
    inFontsFolder = true;
    return;
  }
  if (!folderRead_) {
    folderRead_ = true;
    upperFontsFolder_ = UpperAscii(GetFontsFolder());
  }
  inFontsFolder = UpperAscii(folder) == upperFontsFolder_;
}

void TInstalledFonts::Remember(std::string_view valueName, std::string_view file) {
  remembered_.insert_or_assign(UpperAscii(valueName), std::string(file));
}

bool TInstalledFonts::Known(const std::string& valueName, bool& installed, std::string& file) const {
  if (remembered_.empty()) return false;
  const auto it = remembered_.find(UpperAscii(valueName));
  if (it == remembered_.end()) return false;
  installed = true;
  file = it->second;
  return true;
}
