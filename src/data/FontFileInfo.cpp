#include "data/FontFileInfo.h"

#include "data/InstalledFonts.h"
#include "data/NameFilter.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

// Face names given to the system hold 31 characters besides the terminator.
constexpr size_t kFaceNameLimit = 31;
// Locks the records share: enough that threads seldom meet on one.
constexpr size_t kSharedLocks = 31;

using Guard = std::lock_guard<std::recursive_mutex>;

size_t LockSlot(const void* record) { return reinterpret_cast<uintptr_t>(record) / 8 % kSharedLocks; }

// The records of a scan come folder by folder: the last folder made is
// mostly the next one asked for.
std::shared_ptr<const std::string> SharedFolder(std::string_view folder) {
  if (folder.empty()) return nullptr;
  static std::mutex lock;
  static std::weak_ptr<const std::string> last;
  std::lock_guard<std::mutex> guard(lock);
  std::shared_ptr<const std::string> shared = last.lock();
  if (!shared || *shared != folder) {
    shared = std::make_shared<const std::string>(folder);
    last = shared;
  }
  return shared;
}

// Whether `path` is `folder` followed by `leaf`, ASCII case ignored.
bool SplitSameText(std::string_view path, std::string_view folder, std::string_view leaf) {
  return path.size() == folder.size() + leaf.size() && SameText(path.substr(0, folder.size()), folder) &&
         SameText(path.substr(folder.size()), leaf);
}

}  // namespace

// Never destroyed: a record freed during the program's exit still locks.
std::recursive_mutex& TFontFileInfo::Lock() const {
  static auto* const locks = new std::recursive_mutex[kSharedLocks];
  return locks[LockSlot(this)];
}

std::mutex& TFontFileInfo::ReadLock() const {
  static auto* const locks = new std::mutex[kSharedLocks];
  return locks[LockSlot(this)];
}

namespace {

// The length of the folder part of `path`, its last separator included; 0
// when it names none. A loop, not find_last_of: every listed face comes here.
size_t FolderLength(std::string_view path) {
  size_t cut = path.size();
  while (cut > 0 && path[cut - 1] != '\\' && path[cut - 1] != '/' && path[cut - 1] != ':') --cut;
  return cut;
}

}  // namespace

std::string TFontFileInfo::FileNameLocked() const {
  std::string path;
  const std::string_view leaf = Leaf();
  path.reserve((folder_ ? folder_->size() : 0) + leaf.size());
  if (folder_) path = *folder_;
  path += leaf;
  return path;
}

void TFontFileInfo::StoreFileName(std::string_view path) {
  const size_t cut = FolderLength(path);
  const std::string_view folder = path.substr(0, cut);
  if (!folder_ || *folder_ != folder) folder_ = SharedFolder(folder);
  const std::string fontName(StoredFontName());
  const std::string knownName(StoredKnownName());
  names_.Set({path.substr(cut), fontName, knownIsFontName_ ? std::string_view() : knownName});
}

TFontFields TFontFileInfo::Unpack() const {
  TFontFields f = details_ ? *details_ : TFontFields{};
  f.InfoRead = infoRead_;
  f.FileName = FileNameLocked();
  f.FaceIndex = faceIndex_;
  f.FaceCount = faceCount_;
  f.Format = format_;
  f.Bad = bad_;
  f.Bodgey = bodgey_;
  f.Installed = installed_;
  f.InFontsFolder = inFontsFolder_;
  f.FontKind = fontKind_;
  f.FontName = StoredFontName();
  f.KnownName = StoredKnownName();
  return f;
}

void TFontFileInfo::Pack(TFontFields&& f) {
  infoRead_ = f.InfoRead;
  faceIndex_ = f.FaceIndex;
  faceCount_ = f.FaceCount;
  format_ = f.Format;
  bad_ = f.Bad;
  bodgey_ = f.Bodgey;
  installed_ = f.Installed;
  inFontsFolder_ = f.InFontsFolder;
  fontKind_ = f.FontKind;
  knownIsFontName_ = f.KnownName == f.FontName;
  const std::string_view path = f.FileName;
  const size_t cut = FolderLength(path);
  const std::string_view folder = path.substr(0, cut);
  if (!folder_ || *folder_ != folder) folder_ = SharedFolder(folder);
  names_.Set({path.substr(cut), f.FontName, knownIsFontName_ ? std::string_view() : f.KnownName});
  // What is left is what a read of all tables gave, if anything.
  f.InfoRead = false;
  f.FileName.clear();
  f.FaceIndex = f.FaceCount = 0;
  f.Format = ffTrueType;
  f.Bad = f.Bodgey = f.Installed = f.InFontsFolder = false;
  f.FontKind = fkUnknown;
  f.FontName.clear();
  f.KnownName.clear();
  if (f == TFontFields{}) {
    details_.reset();
  } else if (details_) {
    *details_ = std::move(f);
  } else {
    details_ = std::make_unique<TFontFields>(std::move(f));
  }
}

void TFontFileInfo::Clear() {
  Guard g(Lock());
  Pack(TFontFields{});
}

void TFontFileInfo::StartOver(std::string_view path, uint32_t face) {
  // Nothing read from the file a record named before may linger.
  TFontFields fresh;
  fresh.Bodgey = bodgey_;
  fresh.FileName = path;
  fresh.FaceIndex = face;
  Pack(std::move(fresh));
}

bool TFontFileInfo::IsFaceLocked(std::string_view path, uint32_t face) const {
  return faceIndex_ == face && SplitSameText(path, folder_ ? *folder_ : std::string_view(), Leaf());
}

bool TFontFileInfo::IsFace(std::string_view path, uint32_t face) const {
  Guard g(Lock());
  return IsFaceLocked(path, face);
}

void TFontFileInfo::SetFileName(std::string_view path, uint32_t face) {
  TInstalledFonts installed;
  SetFileName(path, installed, face);
}

void TFontFileInfo::SetFileName(std::string_view path, TInstalledFonts& installed, uint32_t face) {
  {
    Guard g(Lock());
    if (IsFaceLocked(path, face)) return;
    StartOver(path, face);
  }
  Refresh(false, installed);
}

void TFontFileInfo::SetFileNameRead(TFontFields&& read, TInstalledFonts& installed) {
  {
    Guard g(Lock());
    if (IsFaceLocked(read.FileName, read.FaceIndex)) return;
    // As a start over and a take of the read would leave it, packed once:
    // every listed face of a scan comes here.
    read.Bodgey = bodgey_;
    read.Installed = read.InFontsFolder = false;
    if (read.Bad) read.KnownName.clear();
    Pack(std::move(read));
  }
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
    Guard g(Lock());
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
      Guard g(Lock());
      if (IsFaceLocked(path, face)) return;
      StartOver(path, face);
      // Kept should the file not be read: better cut short than lost.
      knownIsFontName_ = fontName.empty();
      names_.Set({Leaf(), {}, fontName});
    }
    Refresh(false, installed);
    return;
  }
  {
    Guard g(Lock());
    if (!IsFaceLocked(path, face)) StartOver(path, face);
    TFontFields f = Unpack();
    f.FileName = path;
    f.FontName = fontName;
    f.KnownName = fontName;
    f.InfoRead = false;
    Pack(std::move(f));
  }
  CheckInstalled(installed);
  const bool missing = !sys::Current().FileExists(path);
  Guard g(Lock());
  bad_ = missing;
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
    Guard g(Lock());
    installed_ = false;
    inFontsFolder_ = false;
    fontName = StoredFontName();
    fileName = FileNameLocked();
  }
  bool isInstalled = false;
  bool inFontsFolder = false;
  installed.Check(fontName, fileName, isInstalled, inFontsFolder);
  Guard g(Lock());
  installed_ = isInstalled;
  inFontsFolder_ = inFontsFolder;
}

std::string TFontFileInfo::DisplayName() { return DrawnFace().name; }

TFontFileInfo::TDrawnFace TFontFileInfo::DrawnFace() {
  std::string fullName;
  {
    Guard g(Lock());
    // The faces of collections and CFF fonts go by their families: a full
    // name there may be one the system does not match.
    fullName = StoredFontName();
    if (fullName.size() <= kFaceNameLimit && IsPlainTrueTypeFileName(Leaf())) return {fullName};
  }
  std::string family = FamilyName();
  if (family.empty() && fullName.size() <= kFaceNameLimit) return {fullName};
  // A family holds several faces: the bold one of a collection is asked for as bold.
  const int32_t weight = WeightClass();
  return {family, weight >= 1 && weight <= 1000 ? weight : 400, Italic()};
}

void TFontFileInfo::SetBodgey(bool value) {
  Guard g(Lock());
  bodgey_ = value;
}

void TFontFileInfo::SetBad(bool value) {
  Guard g(Lock());
  bad_ = value;
}

void TFontFileInfo::TakeFileValues(TFontFields&& read) {
  Guard g(Lock());
  const std::string_view folder = folder_ ? std::string_view(*folder_) : std::string_view();
  const std::string_view path = read.FileName;
  if (faceIndex_ != read.FaceIndex || path.size() != folder.size() + Leaf().size() ||
      path.substr(0, folder.size()) != folder || path.substr(folder.size()) != Leaf())
    return;
  // The reader owns everything but the file's name and the record's standing.
  read.Bodgey = bodgey_;
  read.Installed = installed_;
  read.InFontsFolder = inFontsFolder_;
  read.InfoRead = read.InfoRead || infoRead_;
  // A read that failed knows no name; the record's stays.
  if (read.Bad) read.KnownName = StoredKnownName();
  Pack(std::move(read));
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
  Guard g(Lock());
  return !infoRead_ && !bad_ && (folder_ || !Leaf().empty());
}

void TFontFileInfo::EnsureRead() {
  if (NeedsRead()) Refresh(true);
}

template <typename T>
T TFontFileInfo::Lazy(T TFontFields::*field) {
  EnsureRead();
  Guard g(Lock());
  return details_ ? (*details_).*field : T{};
}

template <typename T>
T TFontFileInfo::LazyHere(T TFontFileInfo::*member) {
  EnsureRead();
  Guard g(Lock());
  return this->*member;
}

TFontFields TFontFileInfo::Fields() {
  EnsureRead();
  return Snapshot();
}

TFontFields TFontFileInfo::Snapshot() const {
  Guard g(Lock());
  return Unpack();
}

// Values as they stand.
std::string TFontFileInfo::FileName() const {
  Guard g(Lock());
  return FileNameLocked();
}
uint32_t TFontFileInfo::FaceIndex() const {
  Guard g(Lock());
  return faceIndex_;
}
std::string TFontFileInfo::FontName() const {
  Guard g(Lock());
  return std::string(StoredFontName());
}
std::string TFontFileInfo::KnownName() const {
  Guard g(Lock());
  return std::string(StoredKnownName());
}
bool TFontFileInfo::Bad() const {
  Guard g(Lock());
  return bad_;
}
bool TFontFileInfo::Bodgey() const {
  Guard g(Lock());
  return bodgey_;
}
bool TFontFileInfo::Installed() const {
  Guard g(Lock());
  return installed_;
}
bool TFontFileInfo::RowValues(const TNameFilter& nameFilter, TRowValues& values) const {
  Guard g(Lock());
  const std::string_view fontName = StoredFontName();
  if (!nameFilter.Matches(fontName)) return false;
  values.fontName.assign(fontName);
  values.fileName = FileNameLocked();
  values.bad = bad_;
  values.bodgey = bodgey_;
  values.installed = installed_;
  return true;
}
bool TFontFileInfo::InFontsFolder() const {
  Guard g(Lock());
  return inFontsFolder_;
}
bool TFontFileInfo::InfoRead() const {
  Guard g(Lock());
  return infoRead_;
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
uint32_t TFontFileInfo::FaceCount() { return LazyHere(&TFontFileInfo::faceCount_); }
TFontFormat TFontFileInfo::Format() { return LazyHere(&TFontFileInfo::format_); }
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
TFontKind TFontFileInfo::FontKind() { return LazyHere(&TFontFileInfo::fontKind_); }
