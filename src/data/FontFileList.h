// An ordered list of font file records that it owns, with the rule that fills
// it: the installed-font table, one collection file, or the TrueType files of
// a folder (optionally with its subfolders).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/FontFileInfo.h"

enum TFontListMode : uint8_t {
  flmInstalled = 0,
  flmCollection = 1,
  flmBrowse = 2,
};

namespace sys {
struct FindEntry;
}  // namespace sys

class TFontFileList {
 public:
  TFontFileList();
  ~TFontFileList();
  TFontFileList(const TFontFileList&) = delete;
  TFontFileList& operator=(const TFontFileList&) = delete;

  // Frees every record. During a scan the request waits for the scan's end.
  void Clear();
  int Count() const { return static_cast<int>(records_.size()); }
  TFontFileInfo* Items(int index) const { return records_.at(static_cast<size_t>(index)).get(); }

  // Whether a record stands for that face of the file `path` names (its file
  // name compared with ASCII case ignored). A file of one font is face 0.
  bool Contains(std::string_view path, uint32_t face = 0) const;
  // Adds a record read names-only from the face, unless the face is listed.
  void AddFile(std::string_view path, uint32_t face = 0);
  // Adds a record with a known name (a short name is trusted, the file not
  // opened), unless the face is listed.
  void AddFileWithName(std::string_view path, std::string_view fontName, uint32_t face = 0);
  // AddFile for every face of the file: one for a single-font file.
  void AddFileFaces(std::string_view path);
  // Frees the records of the file's faces (found by the index, not by a pass
  // over the list); how many went.
  int RemoveFileFaces(std::string_view path);
  // Callers that change a listed record's file name call this afterwards.
  void Reindex();
  // Frees the given records and drops them from the list, in one pass however
  // many there are; pointers the list does not hold are passed over. Returns
  // how many went. Refused (0) during a scan, whose records they may be.
  int Remove(const std::vector<TFontFileInfo*>& records);
  bool Remove(TFontFileInfo* record) { return Remove(std::vector<TFontFileInfo*>{record}) == 1; }
  // Frees the record at `index`; false when there is none or a scan runs.
  bool Delete(int index);

  // Rebuilds the list for the current mode, then sorts it. Asked for during a
  // scan (from a window message), it runs once when that scan has ended.
  void Scan();
  // Orders the records by font name, ASCII case ignored.
  void Sort();
  bool Scanning() const { return scanning_; }

  // How many threads read a folder scan's files ahead of it, so that several
  // reads are in flight on a cold disk; 1: the scan reads each file itself
  // when it reaches it. Process-wide; the list, its order and its progress
  // are the same either way.
  static void SetScanReaders(int readers);
  static int ScanReaders();
  // The threads start once a stretch of the scan's own reads averaged this
  // long, as a cold disk's do; 0: at the start of the reading. Process-wide.
  static void SetSlowReadMicros(int micros);
  static int SlowReadMicros();

  // Collection files. Loading is refused (false) during a scan.
  bool LoadCollection(std::string_view path);
  // An empty path means the current collection in the collection mode.
  // Refused (false, error 30 pending) while the list holds a collection
  // read only in part: writing it would drop the rest.
  bool SaveCollection(std::string_view path = {});
  // The last collection read failed part-way (or could not be opened); the
  // list holds what came before the failure until it is read whole again.
  bool PartlyRead() const { return partlyRead_; }

  TFontListMode Mode() const { return mode_; }
  const std::string& Path() const { return path_; }
  const std::string& Collection() const { return collection_; }
  bool InclSubfolders() const { return inclSubfolders_; }
  // Folder scans list .TTF files alone, not .TTC, .OTC and .OTF ones too.
  bool TrueTypeOnly() const { return trueTypeOnly_; }
  int32_t InclSubfoldersDepth() const { return inclSubfoldersDepth_; }

  // Receives the warning of a scan that met trouble, in place of the message
  // box, for callers that open no window (command-line tools).
  std::function<void(std::wstring_view warning)> OnTrouble;

  // Setters rescan when the value matters for the mode and has changed.
  void SetMode(TFontListMode mode);
  void SetPath(std::string_view folder);
  void SetCollection(std::string_view name);
  void SetInclSubfolders(bool value);
  void SetTrueTypeOnly(bool value);
  void SetInclSubfoldersDepth(int32_t depth) { inclSubfoldersDepth_ = depth; }

 private:
  struct ScanRun;
  enum class Pending { None, Clear, Scan };

  void ClearNow();
  // The listed record of that face, or null.
  const TFontFileInfo* Find(std::string_view path, uint32_t face) const;
  void ScanOnce(ScanRun& run);
  void ScanInstalled(ScanRun& run);
  void ScanFolders(ScanRun& run);
  // The folders of the tree at `folder`, each with the files its listing
  // gave (none where it was not listed, or only *.TTF names are wanted).
  using TFolderFiles = std::vector<std::optional<std::vector<sys::FindEntry>>>;
  void CollectFolders(ScanRun& run, const std::string& folder, int32_t depth,
                      std::vector<std::string>& folders, TFolderFiles& files);
  // `read`, when given, is the names-only read of `path`, done already.
  void AddRecord(std::string_view path, uint32_t face, const std::string_view* fontName,
                 TFontListMode mode, TInstalledFonts& installed, TFontFields* read = nullptr);
  // Lists the faces of `file`: those `read` holds (face 0 alone unless the
  // file is a collection), else face 0 and, in a collection, as many as it
  // counts, each reading itself.
  void AddFaces(const std::string& file, std::vector<TFontFields>* read, TFontListMode mode,
                TInstalledFonts& installed);
  // Lists every face of the collection `file`, read through one open, unless
  // it is listed already.
  void AddCollectionFaces(const std::string& file, TFontListMode mode, TInstalledFonts& installed);
  bool LoadCollectionNow(std::string_view path, TFontListMode mode, TInstalledFonts& installed);

  // The index's key of a face: a hash of its file name (ASCII case ignored)
  // and its number.
  static size_t FaceKey(std::string_view path, uint32_t face);

  std::vector<std::unique_ptr<TFontFileInfo>> records_;
  // FaceKey of a record's face -> the record, so Contains and AddFile stay
  // O(1). Keys, not names: the records hold the names, and a list of many
  // thousand fonts need not hold them twice.
  mutable std::unordered_multimap<size_t, const TFontFileInfo*> index_;

  TFontListMode mode_ = flmBrowse;
  std::string path_;
  std::string collection_;
  bool inclSubfolders_ = false;
  int32_t inclSubfoldersDepth_ = 3;
  bool trueTypeOnly_ = false;

  bool scanning_ = false;
  bool partlyRead_ = false;
  Pending pending_ = Pending::None;
  // Cleared by the destructor, so a scan whose list was destroyed by a window
  // message it handled stops without touching the list again.
  std::shared_ptr<bool> alive_;
};
