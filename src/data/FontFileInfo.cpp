#include "data/FontFileInfo.h"

#include "data/InstalledFonts.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

// Face names given to the system hold 31 characters besides the terminator.
constexpr size_t kFaceNameLimit = 31;

using Guard = std::lock_guard<std::recursive_mutex>;

}  // namespace

void TFontFileInfo::Clear() {
  Guard g(lock_);
  f_ = TFontFields{};
}

void TFontFileInfo::StartOver(std::string_view path) {
  // Nothing read from the file a record named before may linger.
  const bool bodgey = f_.Bodgey;
  f_ = TFontFields{};
  f_.Bodgey = bodgey;
  f_.FileName = path;
}

void TFontFileInfo::SetFileName(std::string_view path) {
  TInstalledFonts installed;
  SetFileName(path, installed);
}

void TFontFileInfo::SetFileName(std::string_view path, TInstalledFonts& installed) {
  {
    Guard g(lock_);
    if (SameText(path, f_.FileName)) return;
    StartOver(path);
  }
  Refresh(false, installed);
}

void TFontFileInfo::SetFileNameRead(TFontFields&& read, TInstalledFonts& installed) {
  {
    Guard g(lock_);
    if (SameText(read.FileName, f_.FileName)) return;
    StartOver(read.FileName);
  }
  TakeFileValues(std::move(read));
  CheckInstalled(installed);
}

void TFontFileInfo::SetFileNameAndRead(std::string_view path, bool allTables) {
  TInstalledFonts installed;
  SetFileNameAndRead(path, allTables, installed);
}

void TFontFileInfo::SetFileNameAndRead(std::string_view path, bool allTables,
                                       TInstalledFonts& installed) {
  bool same;
  {
    Guard g(lock_);
    same = SameText(path, f_.FileName);
    if (!same) StartOver(path);
  }
  if (!same) {
    Refresh(allTables, installed);
  } else if (allTables && NeedsRead()) {
    Refresh(true, installed);  // as the first lazy getter would
  }
}

void TFontFileInfo::SetFileNameAndName(std::string_view path, std::string_view fontName) {
  TInstalledFonts installed;
  SetFileNameAndName(path, fontName, installed);
}

void TFontFileInfo::SetFileNameAndName(std::string_view path, std::string_view fontName,
                                       TInstalledFonts& installed) {
  // A name the installed-font table may have cut short is read from the
  // file; with no file to read, the given name is all there is.
  const bool trusted = !fontName.empty() && !FontRegNameMayBeCut(fontName);
  if (!trusted && !path.empty()) {
    {
      Guard g(lock_);
      if (SameText(path, f_.FileName)) return;
      StartOver(path);
      // Kept should the file not be read: better cut short than lost.
      f_.KnownName = fontName;
    }
    Refresh(false, installed);
    return;
  }
  {
    Guard g(lock_);
    if (!SameText(path, f_.FileName)) StartOver(path);
    f_.FileName = path;
    f_.FontName = fontName;
    f_.KnownName = fontName;
    f_.InfoRead = false;
  }
  CheckInstalled(installed);
  const bool missing = !sys::Current().FileExists(path);
  Guard g(lock_);
  f_.Bad = missing;
}

void TFontFileInfo::Refresh(bool allTables) {
  TInstalledFonts installed;
  Refresh(allTables, installed);
}

void TFontFileInfo::Refresh(bool allTables, TInstalledFonts& installed) {
  ReadFontFile(*this, allTables);
  CheckInstalled(installed);
}

void TFontFileInfo::CheckInstalled() {
  TInstalledFonts installed;
  CheckInstalled(installed);
}

void TFontFileInfo::CheckInstalled(TInstalledFonts& installed) {
  const bool haveTable = installed.Key() != nullptr;
  std::string fontName;
  {
    Guard g(lock_);
    f_.Installed = false;
    f_.InFontsFolder = false;
    if (!haveTable) return;
    fontName = f_.FontName;
  }
  bool isInstalled = false;
  bool inFontsFolder = false;
  installed.Check(fontName, isInstalled, inFontsFolder);
  Guard g(lock_);
  f_.Installed = isInstalled;
  f_.InFontsFolder = inFontsFolder;
}

std::string TFontFileInfo::DisplayName() {
  {
    Guard g(lock_);
    if (f_.FontName.size() <= kFaceNameLimit) return f_.FontName;
  }
  return FamilyName();
}

void TFontFileInfo::SetBodgey(bool value) {
  Guard g(lock_);
  f_.Bodgey = value;
}

void TFontFileInfo::SetBad(bool value) {
  Guard g(lock_);
  f_.Bad = value;
}

void TFontFileInfo::TakeFileValues(TFontFields&& read) {
  Guard g(lock_);
  if (f_.FileName != read.FileName) return;
  // The reader owns everything but the file's name and the record's standing.
  read.Bodgey = f_.Bodgey;
  read.Installed = f_.Installed;
  read.InFontsFolder = f_.InFontsFolder;
  read.InfoRead = read.InfoRead || f_.InfoRead;
  // A read that failed knows no name; the record's stays.
  if (read.Bad) read.KnownName = f_.KnownName;
  f_ = std::move(read);
}

bool TablesUnread(const TFontFields& fields) {
  return !fields.InfoRead && !fields.Bad && !fields.FileName.empty();
}

bool SameListedFont(const TFontFields& a, const TFontFields& b) {
  return SameText(a.FileName, b.FileName) && SameText(a.FontName, b.FontName) && a.Bad == b.Bad;
}

bool TFontFileInfo::NeedsRead() const {
  Guard g(lock_);
  return TablesUnread(f_);
}

void TFontFileInfo::EnsureRead() {
  if (NeedsRead()) Refresh(true);
}

template <typename T>
T TFontFileInfo::Lazy(T TFontFields::*field) {
  EnsureRead();
  Guard g(lock_);
  return f_.*field;
}

TFontFields TFontFileInfo::Fields() {
  EnsureRead();
  return Snapshot();
}

TFontFields TFontFileInfo::Snapshot() const {
  Guard g(lock_);
  return f_;
}

// Values as they stand.
std::string TFontFileInfo::FileName() const {
  Guard g(lock_);
  return f_.FileName;
}
std::string TFontFileInfo::FontName() const {
  Guard g(lock_);
  return f_.FontName;
}
std::string TFontFileInfo::KnownName() const {
  Guard g(lock_);
  return f_.KnownName;
}
bool TFontFileInfo::Bad() const {
  Guard g(lock_);
  return f_.Bad;
}
bool TFontFileInfo::Bodgey() const {
  Guard g(lock_);
  return f_.Bodgey;
}
bool TFontFileInfo::Installed() const {
  Guard g(lock_);
  return f_.Installed;
}
bool TFontFileInfo::InFontsFolder() const {
  Guard g(lock_);
  return f_.InFontsFolder;
}
bool TFontFileInfo::InfoRead() const {
  Guard g(lock_);
  return f_.InfoRead;
}

// Values read on first request.
std::string TFontFileInfo::FamilyName() { return Lazy(&TFontFields::FamilyName); }
std::string TFontFileInfo::SubfamilyName() { return Lazy(&TFontFields::SubfamilyName); }
std::string TFontFileInfo::PostScriptName() { return Lazy(&TFontFields::PostScriptName); }
std::string TFontFileInfo::UniqueID() { return Lazy(&TFontFields::UniqueID); }
std::string TFontFileInfo::Version() { return Lazy(&TFontFields::Version); }
std::string TFontFileInfo::Copyright() { return Lazy(&TFontFields::Copyright); }
std::string TFontFileInfo::Trademark() { return Lazy(&TFontFields::Trademark); }
std::string TFontFileInfo::Manufacturer() { return Lazy(&TFontFields::Manufacturer); }
std::string TFontFileInfo::VendorURL() { return Lazy(&TFontFields::VendorURL); }
std::string TFontFileInfo::Designer() { return Lazy(&TFontFields::Designer); }
std::string TFontFileInfo::DesignerURL() { return Lazy(&TFontFields::DesignerURL); }
std::string TFontFileInfo::Description() { return Lazy(&TFontFields::Description); }
std::string TFontFileInfo::License() { return Lazy(&TFontFields::License); }
std::string TFontFileInfo::LicenseURL() { return Lazy(&TFontFields::LicenseURL); }
int32_t TFontFileInfo::UnitsPerEm() { return Lazy(&TFontFields::UnitsPerEm); }
int32_t TFontFileInfo::Ascender() { return Lazy(&TFontFields::Ascender); }
int32_t TFontFileInfo::Descender() { return Lazy(&TFontFields::Descender); }
int32_t TFontFileInfo::LineGap() { return Lazy(&TFontFields::LineGap); }
int32_t TFontFileInfo::MaxExtent() { return Lazy(&TFontFields::MaxExtent); }
int32_t TFontFileInfo::LowestRecPPEM() { return Lazy(&TFontFields::LowestRecPPEM); }
int32_t TFontFileInfo::WeightClass() { return Lazy(&TFontFields::WeightClass); }
int32_t TFontFileInfo::WidthClass() { return Lazy(&TFontFields::WidthClass); }
int32_t TFontFileInfo::WinHeight() { return Lazy(&TFontFields::WinHeight); }
int32_t TFontFileInfo::WinAscent() { return Lazy(&TFontFields::WinAscent); }
int32_t TFontFileInfo::WinDescent() { return Lazy(&TFontFields::WinDescent); }
int32_t TFontFileInfo::AvgCharWidth() { return Lazy(&TFontFields::AvgCharWidth); }
bool TFontFileInfo::Italic() { return Lazy(&TFontFields::Italic); }
bool TFontFileInfo::Underscore() { return Lazy(&TFontFields::Underscore); }
bool TFontFileInfo::Negative() { return Lazy(&TFontFields::Negative); }
bool TFontFileInfo::Outlined() { return Lazy(&TFontFields::Outlined); }
bool TFontFileInfo::Strikeout() { return Lazy(&TFontFields::Strikeout); }
bool TFontFileInfo::Bold() { return Lazy(&TFontFields::Bold); }
bool TFontFileInfo::Regular() { return Lazy(&TFontFields::Regular); }
TFontKind TFontFileInfo::FontKind() { return Lazy(&TFontFields::FontKind); }
