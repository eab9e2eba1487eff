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

void TFontFileInfo::StartOver(std::string_view path, uint32_t face) {
  // Nothing read from the file a record named before may linger.
  const bool bodgey = f_.Bodgey;
  f_ = TFontFields{};
  f_.Bodgey = bodgey;
  f_.FileName = path;
  f_.FaceIndex = face;
}

bool TFontFileInfo::IsFaceLocked(std::string_view path, uint32_t face) const {
  return f_.FaceIndex == face && SameText(path, f_.FileName);
}

bool TFontFileInfo::IsFace(std::string_view path, uint32_t face) const {
  Guard g(lock_);
  return IsFaceLocked(path, face);
}

void TFontFileInfo::SetFileName(std::string_view path, uint32_t face) {
  TInstalledFonts installed;
  SetFileName(path, installed, face);
}

void TFontFileInfo::SetFileName(std::string_view path, TInstalledFonts& installed, uint32_t face) {
  {
    Guard g(lock_);
    if (IsFaceLocked(path, face)) return;
    StartOver(path, face);
  }
  Refresh(false, installed);
}

void TFontFileInfo::SetFileNameRead(TFontFields&& read, TInstalledFonts& installed) {
  {
    Guard g(lock_);
    if (IsFaceLocked(read.FileName, read.FaceIndex)) return;
    StartOver(read.FileName, read.FaceIndex);
  }
  TakeFileValues(std::move(read));
  CheckInstalled(installed);
}

void TFontFileInfo::SetFileNameAndRead(std::string_view path, bool allTables, uint32_t face) {
  TInstalledFonts installed;
  SetFileNameAndRead(path, allTables, installed, face);
}

void TFontFileInfo::SetFileNameAndRead(std::string_view path, bool allTables,
                                       TInstalledFonts& installed, uint32_t face) {
  bool same;
  {
    Guard g(lock_);
    same = IsFaceLocked(path, face);
    if (!same) StartOver(path, face);
  }
  if (!same) {
    Refresh(allTables, installed);
  } else if (allTables && NeedsRead()) {
    Refresh(true, installed);  // as the first lazy getter would
  }
}

void TFontFileInfo::SetFileNameAndName(std::string_view path, std::string_view fontName,
                                       uint32_t face) {
  TInstalledFonts installed;
  SetFileNameAndName(path, fontName, installed, face);
}

void TFontFileInfo::SetFileNameAndName(std::string_view path, std::string_view fontName,
                                       TInstalledFonts& installed, uint32_t face) {
  // A name the installed-font table may have cut short is read from the
  // file; with no file to read, the given name is all there is.
  const bool trusted = !fontName.empty() && !FontRegNameMayBeCut(fontName);
  if (!trusted && !path.empty()) {
    {
      Guard g(lock_);
      if (IsFaceLocked(path, face)) return;
      StartOver(path, face);
      // Kept should the file not be read: better cut short than lost.
      f_.KnownName = fontName;
    }
    Refresh(false, installed);
    return;
  }
  {
    Guard g(lock_);
    if (!IsFaceLocked(path, face)) StartOver(path, face);
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
  std::string fontName, fileName;
  {
    Guard g(lock_);
    f_.Installed = false;
    f_.InFontsFolder = false;
    fontName = f_.FontName;
    fileName = f_.FileName;
  }
  bool isInstalled = false;
  bool inFontsFolder = false;
  installed.Check(fontName, fileName, isInstalled, inFontsFolder);
  Guard g(lock_);
  f_.Installed = isInstalled;
  f_.InFontsFolder = inFontsFolder;
}

std::string TFontFileInfo::DisplayName() { return DrawnFace().name; }

TFontFileInfo::TDrawnFace TFontFileInfo::DrawnFace() {
  std::string fullName;
  {
    Guard g(lock_);
    // The faces of collections and CFF fonts go by their families: a full
    // name there may be one the system does not match.
    if (f_.FontName.size() <= kFaceNameLimit && IsPlainTrueTypeFileName(f_.FileName)) return {f_.FontName};
    fullName = f_.FontName;
  }
  std::string family = FamilyName();
  if (family.empty() && fullName.size() <= kFaceNameLimit) return {fullName};
  // A family holds several faces: the bold one of a collection is asked for as bold.
  const int32_t weight = WeightClass();
  return {family, weight >= 1 && weight <= 1000 ? weight : 400, Italic()};
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
  if (f_.FileName != read.FileName || f_.FaceIndex != read.FaceIndex) return;
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

bool SameFace(const TFontFields& a, const TFontFields& b) {
  return a.FaceIndex == b.FaceIndex && SameText(a.FileName, b.FileName);
}

bool SameListedFont(const TFontFields& a, const TFontFields& b) {
  return SameFace(a, b) && SameText(a.FontName, b.FontName) && a.Bad == b.Bad;
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
uint32_t TFontFileInfo::FaceIndex() const {
  Guard g(lock_);
  return f_.FaceIndex;
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
uint32_t TFontFileInfo::FaceCount() { return Lazy(&TFontFields::FaceCount); }
TFontFormat TFontFileInfo::Format() { return Lazy(&TFontFields::Format); }
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
