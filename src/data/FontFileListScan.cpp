// The three scans of a font file list and their progress window.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include "data/Collections.h"
#include "data/FontFileList.h"
#include "data/InstalledFonts.h"
#include "data/Progress.h"
#include "data/ReadAhead.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

constexpr std::wstring_view kSearchingCaption = L"正在搜索字体文件夹...";
constexpr std::wstring_view kReadingCaption = L"正在读 % 种字体...";
constexpr std::wstring_view kWarningCaption = L"警告   ";
constexpr std::wstring_view kRegistryTrouble =
    L"Velmara 在从你的注册表中读取字体信息  时遇到问题.\r\n\r\n"
    L"请尝试从控制面板中打开 Fonts 文件夹去修正这个注册表的分支.";
constexpr std::wstring_view kFolderTrouble =
    L"Velmara 在从你的注册表中读取字体信息 在你的计算机中.\r\n\r\n"
    L"它可以在你的计算机中运行 ScanDisk 程序来进行检查并修正你的文件系统中的错误.";

constexpr int kQuietFileCount = 40;
// Fewer files than this are read by the scan itself: threads would cost more.
constexpr size_t kReadAheadFiles = 8;
// Disks answer more reads in flight faster: a cold tree took 0.60 of one
// reader's time with four threads, 0.46 with eight. Warm, the threads cost:
// under Wine a warm tree took 1.4 to 1.75 times as long with eight as the
// scan alone, so they start only once the scan's own reads turn out slow.
constexpr int kDefaultReaders = 8;
std::atomic<int> g_scanReaders{kDefaultReaders};
// A warm read takes some 15 us natively and 75 under Wine; a cold one waits
// for the disk: 250 to 400 us under Wine here, and more with the disk's
// directories dropped too; a busy machine keeps warm ones under Wine near 100.
constexpr int kDefaultSlowReadMicros = 150;
std::atomic<int> g_slowReadMicros{kDefaultSlowReadMicros};
constexpr std::string_view kTrueTypePattern = "*.TTF";
constexpr std::string_view kAnyPattern = "*";
constexpr std::string_view kValueSuffixes[] = {" (TrueType)", " (OpenType)"};
constexpr uint32_t kAttrReparsePoint = 0x400;
// Deeper than any real tree; keeps a looping one from exhausting the stack.
constexpr int32_t kDepthCeiling = 128;

// Every face of `file`, read through one open; none when memory ran out,
// and each face then reads itself.
std::optional<std::vector<TFontFields>> ReadFileFacesOrNone(const std::string& file) {
  try {
    return ReadFileFaces(file);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

// One scan's settings, taken when it starts, and its transient state. A
// window message handled during the scan may change the list's settings; the
// running scan keeps to these.
struct TFontFileList::ScanRun {
  TFontListMode mode;
  std::string path;
  std::string collection;
  bool inclSubfolders;
  int32_t depth;
  bool trueTypeOnly;
  std::shared_ptr<bool> alive;
  std::unique_ptr<TProgressBase> progress;
  bool trouble = false;
  size_t count = 0;
  TInstalledFonts installed;

  bool Alive() const { return *alive; }

  void StartProgress() {
    progress = MakeProgress(-1, kSearchingCaption);
    progress->Show();
  }

  void UpdateProgress() {
    if (count <= kQuietFileCount && !inclSubfolders) return;
    if (!progress) StartProgress();
    if (!Alive()) return;
    progress->SetText(ReplacePercent(kReadingCaption, std::to_wstring(count)),
                      static_cast<int>(count));
    sys::Current().ProcessMessages();
  }

  void StepProgress() {
    if (progress) progress->StepIt();
  }

  void EndProgress() {
    if (!progress) return;
    progress.reset();
    sys::Current().ProcessMessages();
  }
};

void TFontFileList::SetScanReaders(int readers) { g_scanReaders = std::max(1, readers); }

int TFontFileList::ScanReaders() { return g_scanReaders; }

void TFontFileList::SetSlowReadMicros(int micros) { g_slowReadMicros = std::max(0, micros); }

int TFontFileList::SlowReadMicros() { return g_slowReadMicros; }

void TFontFileList::Scan() {
  if (scanning_) {
    pending_ = Pending::Scan;
    return;
  }
  const auto alive = alive_;
  do {
    pending_ = Pending::None;
    ScanRun run{mode_, path_, collection_, inclSubfolders_, inclSubfoldersDepth_, trueTypeOnly_, alive, {}};
    scanning_ = true;
    try {
      ScanOnce(run);
    } catch (...) {
      if (*alive) scanning_ = false;
      throw;
    }
    if (!*alive) return;
    scanning_ = false;
    if (run.trouble) {
      const std::wstring_view warning = run.mode == flmInstalled ? kRegistryTrouble : kFolderTrouble;
      if (OnTrouble) {
        OnTrouble(warning);
      } else {
        sys::Current().ShowMessageBox(warning, kWarningCaption,
                                      sys::kMbIconWarning | sys::kMbTaskModal);
      }
      if (!*alive) return;
    }
    if (pending_ == Pending::Clear) {
      pending_ = Pending::None;
      ClearNow();
    }
  } while (pending_ == Pending::Scan);
}

void TFontFileList::ScanOnce(ScanRun& run) {
  ClearNow();
  partlyRead_ = false;
  switch (run.mode) {
    case flmInstalled:
      ScanInstalled(run);
      break;
    case flmCollection:
      LoadCollectionNow(CollectionFile(run.path, run.collection), run.mode, run.installed);
      // A missing file is an empty collection; one that failed is trouble.
      run.trouble = partlyRead_;
      break;
    case flmBrowse:
      ScanFolders(run);
      break;
  }
  if (run.Alive()) Sort();
}

void TFontFileList::ScanInstalled(ScanRun& run) {
  std::vector<sys::RegValueInfo> values;
  if (sys::RegKey* key = run.installed.Key()) {
    if (!key->ListValues(values)) run.trouble = true;
  }
  const size_t machineValues = values.size();
  const auto& userValues = run.installed.UserValues();
  values.insert(values.end(), userValues.begin(), userValues.end());
  run.count = values.size();
  run.UpdateProgress();
  for (size_t i = 0; i < values.size(); ++i) {
    const auto& value = values[i];
    if (!run.Alive()) return;
    run.StepProgress();
    if (!run.Alive()) return;
    if (value.type != sys::kRegSz) continue;
    // The listing holds the data: under Wine each look-up is a round trip.
    std::string file = value.text;
    const bool machine = i < machineValues;
    if (machine) run.installed.Remember(value.name, file);
    if (!IsFontFileName(file)) continue;
    if (ExtractFilePath(file).empty()) file = run.path + file;
    if (IsCollectionFileName(file)) {
      // The value names the faces together: each face is named by itself.
      AddCollectionFaces(file, run.mode, run.installed);
      continue;
    }
    std::string name = value.name;
    for (const std::string_view suffix : kValueSuffixes) {
      if (const auto at = name.find(suffix); at != std::string::npos) {
        name.erase(at, suffix.size());
        break;
      }
    }
    const std::string_view fontName = name;
    AddRecord(file, 0, &fontName, run.mode, run.installed);
  }
  if (run.Alive()) run.EndProgress();
}

void TFontFileList::AddFileFaces(std::string_view path) {
  TInstalledFonts installed;
  const std::string file(path);
  if (IsCollectionFileName(file)) {
    AddCollectionFaces(file, mode_, installed);
  } else {
    AddRecord(file, 0, nullptr, mode_, installed);
  }
}

int TFontFileList::RemoveFileFaces(std::string_view path) {
  const TFontFileInfo* const first = Find(path, 0);
  const uint32_t faces = first ? std::clamp(first->Snapshot().FaceCount, 1u, kMaxListedFaces) : 1;
  std::vector<TFontFileInfo*> records;
  for (uint32_t face = 0; face < faces; ++face) {
    if (const TFontFileInfo* record = Find(path, face)) records.push_back(const_cast<TFontFileInfo*>(record));
  }
  return Remove(records);
}

void TFontFileList::AddFaces(const std::string& file, std::vector<TFontFields>* read, TFontListMode mode,
                             TInstalledFonts& installed) {
  const bool collection = IsCollectionFileName(file);
  if (read) {
    const size_t faces = collection ? read->size() : 1;
    for (uint32_t face = 0; face < faces; ++face) AddRecord(file, face, nullptr, mode, installed, &(*read)[face]);
    return;
  }
  AddRecord(file, 0, nullptr, mode, installed);
  const TFontFileInfo* const first = collection ? Find(file, 0) : nullptr;
  const uint32_t faces = first ? std::min(first->Snapshot().FaceCount, kMaxListedFaces) : 1;
  for (uint32_t face = 1; face < faces; ++face) AddRecord(file, face, nullptr, mode, installed);
}

void TFontFileList::AddCollectionFaces(const std::string& file, TFontListMode mode,
                                       TInstalledFonts& installed) {
  if (Find(file, 0)) return;  // named by several values of the table
  std::optional<std::vector<TFontFields>> read = ReadFileFacesOrNone(file);
  AddFaces(file, read ? &*read : nullptr, mode, installed);
}

void TFontFileList::ScanFolders(ScanRun& run) {
  std::vector<std::string> folders;
  TFolderFiles walked;
  if (run.inclSubfolders) {
    run.StartProgress();
    if (!run.Alive()) return;
  }
  // An unset folder names no folder, not the process's working directory.
  if (!run.path.empty()) {
    if (run.inclSubfolders) {
      CollectFolders(run, run.path, 0, folders, walked);
    } else {
      folders.push_back(run.path);
      walked.emplace_back();
    }
  }

  // Each folder is listed once, by name only (by the walk, where it listed
  // it); the listing serves both the count the bar needs up front and the
  // reading.
  std::vector<std::vector<sys::FindEntry>> listings(folders.size());
  const auto listed = [&run](const sys::FindEntry& entry) {
    return !entry.IsDirectory() && (run.trueTypeOnly || IsFontFileName(entry.name));
  };
  const std::string_view pattern = run.trueTypeOnly ? kTrueTypePattern : kAnyPattern;
  for (size_t i = 0; i < folders.size(); ++i) {
    if (walked[i]) {
      listings[i] = std::move(*walked[i]);
    } else if (!sys::Current().FindNames(folders[i] + std::string(pattern), listings[i])) {
      run.trouble = true;
    }
    std::erase_if(listings[i], [&](const sys::FindEntry& entry) { return !listed(entry); });
    run.count += listings[i].size();
  }
  records_.reserve(run.count);
  index_.reserve(run.count);
  std::vector<std::string> files;
  files.reserve(run.count);
  for (size_t i = 0; i < folders.size(); ++i) {
    for (const auto& entry : listings[i]) files.push_back(folders[i] + entry.name);
  }
  listings.clear();
  run.UpdateProgress();
  if (!run.Alive()) return;

  // The readers start after the progress window is up and stop, their
  // current read dropped, whenever the scan ends, also by its list's end.
  std::unique_ptr<TReadAhead> ahead;
  const int readers = ScanReaders();
  const bool mayReadAhead = readers > 1 && files.size() >= kReadAheadFiles;
  const auto readAhead = [&](size_t from) {
    const size_t left = files.size() - from;
    ahead = std::make_unique<TReadAhead>(files, static_cast<int>(std::min<size_t>(readers, left)),
                                         TThreadStarter{}, from);
  };
  const std::chrono::microseconds slowRead(SlowReadMicros());
  if (mayReadAhead && slowRead.count() == 0) readAhead(0);
  TReadPace pace(slowRead);
  for (size_t i = 0; i < files.size(); ++i) {
    if (!run.Alive()) return;
    run.StepProgress();
    if (!run.Alive()) return;
    std::optional<std::vector<TFontFields>> read = ahead ? ahead->Take(i) : std::nullopt;
    const auto began = std::chrono::steady_clock::now();
    // A collection's faces are all read through one open of it.
    if (!read && IsCollectionFileName(files[i])) read = ReadFileFacesOrNone(files[i]);
    AddFaces(files[i], read ? &*read : nullptr, run.mode, run.installed);
    // A collection's read is timed per face: its faces are no slow disk.
    const auto took = (std::chrono::steady_clock::now() - began) / (read ? read->size() : 1);
    if (!ahead && mayReadAhead && pace.Slow(took) && i + 1 < files.size()) readAhead(i + 1);
  }
  if (run.Alive()) run.EndProgress();
}

void TFontFileList::CollectFolders(ScanRun& run, const std::string& folder, int32_t depth,
                                   std::vector<std::string>& folders, TFolderFiles& files) {
  folders.push_back(folder);
  files.emplace_back();
  const size_t self = files.size() - 1;
  if (run.depth >= 0 && run.depth <= depth) return;
  if (depth >= kDepthCeiling) return;
  std::vector<sys::FindEntry> entries;
  const bool listed = sys::Current().FindNames(folder + "*", entries);
  if (!listed) run.trouble = true;
  std::vector<sys::FindEntry> own;
  for (auto& entry : entries) {
    if (!entry.IsDirectory()) {
      own.push_back(std::move(entry));
      continue;
    }
    if (entry.name == "." || entry.name == "..") continue;
    // A link back up the tree would make an unlimited walk endless.
    if (run.depth < 0 && (entry.attributes & kAttrReparsePoint)) continue;
    CollectFolders(run, folder + entry.name + "\\", depth + 1, folders, files);
  }
  // The system matches "*.TTF" to short names too: that listing is its own.
  if (listed && !run.trueTypeOnly) files[self] = std::move(own);
}
