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
  installed = key->ValueExists(valueName);
  std::string file;
  if (!installed || !key->ReadString(valueName, file)) return;
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
