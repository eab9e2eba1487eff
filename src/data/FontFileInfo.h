// The record of one TrueType font file. Values only the file holds are read
// on first request. Every access goes through a lock, so that a record stays
// whole whichever thread asks; the file itself is read outside it.
//
// A list may hold a hundred thousand records, most of them never read beyond
// their names: such a record keeps its names packed in one block and its
// folder shared with the records made from the same folder, and the values a
// read of all tables gives live in a block made only by that read.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "data/FontKind.h"
#include "data/PackedTexts.h"

class TInstalledFonts;
class TNameFilter;

// The outlines a face carries: TrueType's own, or PostScript ones (CFF) in an
// OpenType font.
enum TFontFormat : uint8_t {
  ffTrueType = 0,
  ffCff = 1,
};

// Everything a record knows, as one copyable value.
struct TFontFields {
  bool InfoRead = false;
  std::string FileName;
  // Which face of the file: 0 for a file of one font. The file name and this
  // together are the font.
  uint32_t FaceIndex = 0;
  // How many faces the file's collection header announces; 0 for a file of
  // one font (or one not read yet).
  uint32_t FaceCount = 0;
  TFontFormat Format = ffTrueType;
  bool Bad = false;
  bool Bodgey = false;
  bool Installed = false;
  bool InFontsFolder = false;
  TFontKind FontKind = fkUnknown;
  std::string FontName;
  // The font's name as last known: given by the list that named the record or
  // read from the file. A failed read leaves it, while FontName then holds
  // the system's error text; it is what a collection stores.
  std::string KnownName;
  std::string FamilyName;
  std::string SubfamilyName;
  std::string PostScriptName;
  std::string UniqueID;
  std::string Version;
  std::string Copyright;
  std::string Trademark;
  std::string Manufacturer;
  std::string VendorURL;
  std::string Designer;
  std::string DesignerURL;
  std::string Description;
  std::string License;
  std::string LicenseURL;
  int32_t UnitsPerEm = 0;
  int32_t Ascender = 0;
  int32_t Descender = 0;
  int32_t LineGap = 0;
  int32_t MaxExtent = 0;
  int32_t LowestRecPPEM = 0;
  int32_t WeightClass = 0;
  int32_t WidthClass = 0;
  int32_t WinHeight = 0;
  int32_t WinAscent = 0;
  int32_t WinDescent = 0;
  int32_t AvgCharWidth = 0;
  bool Italic = false;
  bool Underscore = false;
  bool Negative = false;
  bool Outlined = false;
  bool Strikeout = false;
  bool Bold = false;
  bool Regular = false;

  bool operator==(const TFontFields&) const = default;
};

class TFontFileInfo {
 public:
  TFontFileInfo() = default;
  virtual ~TFontFileInfo() = default;
  TFontFileInfo(const TFontFileInfo&) = delete;
  TFontFileInfo& operator=(const TFontFileInfo&) = delete;

  void Clear();
  // `face`: which face of a collection file the record stands for.
  void SetFileName(std::string_view path, uint32_t face = 0);
  void SetFileNameAndName(std::string_view path, std::string_view fontName, uint32_t face = 0);
  // SetFileName, reading all tables at once when asked: one open of the file
  // where SetFileName and a lazy getter would take two.
  void SetFileNameAndRead(std::string_view path, bool allTables, uint32_t face = 0);
  void SetFileNameAndRead(std::string_view path, bool allTables, TInstalledFonts& installed,
                          uint32_t face = 0);
  void Refresh(bool allTables);
  void CheckInstalled();
  // The same, checked against the installed-font table a scan keeps open.
  void SetFileName(std::string_view path, TInstalledFonts& installed, uint32_t face = 0);
  void SetFileNameAndName(std::string_view path, std::string_view fontName,
                          TInstalledFonts& installed, uint32_t face = 0);
  void Refresh(bool allTables, TInstalledFonts& installed);
  void CheckInstalled(TInstalledFonts& installed);
  // SetFileName whose names-only read of `read.FileName` was done already,
  // on another thread, into a fresh record's values.
  void SetFileNameRead(TFontFields&& read, TInstalledFonts& installed);
  std::string DisplayName();
  // What the views ask the system for to draw the face: the display name
  // and, where that is a family's, the face's own weight and slant.
  struct TDrawnFace {
    std::string name;
    int32_t weight = 400;  // the OS/2 scale, which is the system's
    bool italic = false;
  };
  TDrawnFace DrawnFace();
  void SetBodgey(bool value);
  void SetBad(bool value);

  // Changes to the font's standing with the system and to its file; each
  // returns true on success (FontFileOps.cpp). `mode` is a TDeleteMode.
  // Into the machine's fonts folder and table; when the user may not write
  // them, as InstallForUser.
  bool Install();
  // Into the current user's own fonts folder and table, for this user alone.
  bool InstallForUser();
  // `freedFile`, when given, receives the full path of the fonts folder's
  // file that this font's registration named and that no other registration
  // names, the one file a caller may dispose of; empty when there is none.
  bool Uninstall(int mode, std::string* freedFile = nullptr);
  // `loadedFonts`: the session's upper-cased loaded file names, or none.
  bool Load(std::vector<std::string>* loadedFonts);
  bool Unload(std::vector<std::string>* loadedFonts);
  bool Delete(int mode);
  // Renames the file within its folder; collections in `collectionsFolder`
  // (the stored setting when empty) follow it.
  bool Rename(std::string_view newName, std::string_view collectionsFolder = {});

  // Read as they stand.
  std::string FileName() const;
  uint32_t FaceIndex() const;
  // Whether the record stands for that face of that file (ASCII case ignored).
  bool IsFace(std::string_view path, uint32_t face) const;
  std::string FontName() const;
  std::string KnownName() const;
  bool Bad() const;
  bool Bodgey() const;
  bool Installed() const;
  bool InFontsFolder() const;
  bool InfoRead() const;
  // What a list's row shows of the record, read under one lock; false, and
  // nothing copied, when `nameFilter` turns the font's name away.
  struct TRowValues {
    std::string fontName;
    std::string fileName;
    bool bad = false;
    bool bodgey = false;
    bool installed = false;
  };
  bool RowValues(const TNameFilter& nameFilter, TRowValues& values) const;

  // Lazy: the first one reads all tables unless the record is read or bad.
  std::string FamilyName();
  std::string SubfamilyName();
  std::string PostScriptName();
  std::string UniqueID();
  std::string Version();
  std::string Copyright();
  std::string Trademark();
  std::string Manufacturer();
  std::string VendorURL();
  std::string Designer();
  std::string DesignerURL();
  std::string Description();
  std::string License();
  std::string LicenseURL();
  int32_t UnitsPerEm();
  int32_t Ascender();
  int32_t Descender();
  int32_t LineGap();
  int32_t MaxExtent();
  int32_t LowestRecPPEM();
  int32_t WeightClass();
  int32_t WidthClass();
  int32_t WinHeight();
  int32_t WinAscent();
  int32_t WinDescent();
  int32_t AvgCharWidth();
  bool Italic();
  bool Underscore();
  bool Negative();
  bool Outlined();
  bool Strikeout();
  bool Bold();
  bool Regular();
  TFontKind FontKind();
  uint32_t FaceCount();
  TFontFormat Format();

  // All fields at once, lazily read like the getters above.
  TFontFields Fields();
  // All fields as they stand, without reading anything.
  TFontFields Snapshot() const;
  // Lets `look` read the fields as they stand, under the record's lock; it
  // must not call back into the record's setters.
  template <typename Look>
  void LookAtFields(Look&& look) const {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const TFontFields fields = Unpack();
    look(fields);
  }
  // Stores what ReadFontFile read from the file `read` names (also into
  // another record, on another thread), unless the record has meanwhile
  // moved on to another file.
  void TakeFileValues(TFontFields&& read);

 private:
  // Notes a successful Install or InstallForUser and tells the system.
  void MarkInstalled(bool inFontsFolder);
  friend void ReadFontFile(TFontFileInfo& info, bool allTables);

  bool NeedsRead() const;
  void EnsureRead();  // without the lock: reading may take a while
  template <typename T>
  T Lazy(T TFontFields::*field);
  template <typename T>
  T LazyHere(T TFontFileInfo::*member);
  void StartOver(std::string_view path, uint32_t face);  // lock held
  bool IsFaceLocked(std::string_view path, uint32_t face) const;

  // The record's lock and its lock for reads of the file, each one of a few
  // that the records share: a lock of its own would cost every record memory
  // (and, taken once, a block of the system's).
  std::recursive_mutex& Lock() const;
  std::mutex& ReadLock() const;
  // With the lock held.
  TFontFields Unpack() const;
  void Pack(TFontFields&& fields);
  std::string FileNameLocked() const;
  void StoreFileName(std::string_view path);
  std::string_view Leaf() const { return names_.Get(0); }
  std::string_view StoredFontName() const { return names_.Get(1); }
  std::string_view StoredKnownName() const { return knownIsFontName_ ? names_.Get(1) : names_.Get(2); }

  // The file's folder, one string for all records made from it.
  std::shared_ptr<const std::string> folder_;
  // The file's own name, FontName, and KnownName when it differs.
  TPackedTexts<3> names_;
  // What only a read of all tables gives; none until such a read.
  std::unique_ptr<TFontFields> details_;
  uint32_t faceIndex_ = 0;
  uint32_t faceCount_ = 0;
  TFontFormat format_ = ffTrueType;
  TFontKind fontKind_ = fkUnknown;
  bool infoRead_ = false;
  bool bad_ = false;
  bool bodgey_ = false;
  bool installed_ = false;
  bool inFontsFolder_ = false;
  bool knownIsFontName_ = true;
};

// Whether the file's tables are still to be read into `fields`: not for a
// record of no file, nor for a bad one, which shows what it holds.
bool TablesUnread(const TFontFields& fields);
// Whether two records' values stand for the same font as a list shows it:
// the same face of the same file (compared as file names are) under the same
// name and standing. A record's address says nothing: a rescan frees the records and
// a new one may be given a freed one's place.
bool SameListedFont(const TFontFields& a, const TFontFields& b);
// Whether two records' values name the same face of the same file.
bool SameFace(const TFontFields& a, const TFontFields& b);

// Reads the file named by the record into it (names-only or all tables).
void ReadFontFile(TFontFileInfo& info, bool allTables);
// The same into a record's values alone: the file `fields.FileName` names.
// Needs no record, so any thread may call it.
void ReadFontFields(TFontFields& fields, bool allTables);
// Real collections hold a few dozen faces; a file claiming more is listed
// with this many, so that a hostile header cannot flood a list.
inline constexpr uint32_t kMaxListedFaces = 256;
// Names-only reads of every face of the file (up to kMaxListedFaces), all
// through one open of it: face 0 first, then, in a collection, the others.
std::vector<TFontFields> ReadFileFaces(const std::string& path);
