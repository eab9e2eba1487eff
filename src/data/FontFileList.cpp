#include "data/FontFileList.h"

#include <algorithm>
#include <exception>
#include <unordered_set>

#include "data/InstalledFonts.h"
#include "data/VLMUtil.h"

TFontFileList::TFontFileList() : alive_(std::make_shared<bool>(true)) {}

TFontFileList::~TFontFileList() { *alive_ = false; }

void TFontFileList::Clear() {
  if (scanning_) {
    pending_ = Pending::Clear;
    return;
  }
  ClearNow();
}

void TFontFileList::ClearNow() {
  index_.clear();
  records_.clear();
}

size_t TFontFileList::FaceKey(std::string_view path, uint32_t face) {
  // FNV-1a over the upper-cased bytes, then the face's number.
  uint64_t hash = 14695981039346656037ull;
  const auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
  for (const char c : path) add(static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
  for (int shift = 0; shift < 32; shift += 8) add(static_cast<uint8_t>(face >> shift));
  return static_cast<size_t>(hash ^ (hash >> 32));
}

bool TFontFileList::Contains(std::string_view path, uint32_t face) const { return Find(path, face) != nullptr; }

const TFontFileInfo* TFontFileList::Find(std::string_view path, uint32_t face) const {
  const size_t key = FaceKey(path, face);
  auto [it, end] = index_.equal_range(key);
  while (it != end) {
    const TFontFileInfo* record = it->second;
    if (!record) {  // the place of a record being made
      ++it;
      continue;
    }
    if (record->IsFace(path, face)) return record;
    // A record whose file was deleted or renamed since is listed under a key
    // that no longer is its own; another one may share the key.
    if (FaceKey(record->FileName(), record->FaceIndex()) != key) {
      it = index_.erase(it);
    } else {
      ++it;
    }
  }
  return nullptr;
}

void TFontFileList::Reindex() {
  index_.clear();
  for (const auto& record : records_)
    index_.emplace(FaceKey(record->FileName(), record->FaceIndex()), record.get());
}

int TFontFileList::Remove(const std::vector<TFontFileInfo*>& records) {
  if (scanning_ || records.empty()) return 0;
  const std::unordered_set<const TFontFileInfo*> doomed(records.begin(), records.end());
  // Matched by record, not by name: a record that was deleted or renamed is
  // still indexed under the name it had.
  std::erase_if(index_, [&](const auto& entry) { return doomed.count(entry.second) != 0; });
  const size_t before = records_.size();
  std::erase_if(records_, [&](const auto& record) { return doomed.count(record.get()) != 0; });
  return static_cast<int>(before - records_.size());
}

bool TFontFileList::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  return Remove(records_[static_cast<size_t>(index)].get());
}

void TFontFileList::AddFile(std::string_view path, uint32_t face) {
  TInstalledFonts installed;
  AddRecord(path, face, nullptr, mode_, installed);
}

void TFontFileList::AddFileWithName(std::string_view path, std::string_view fontName, uint32_t face) {
  TInstalledFonts installed;
  AddRecord(path, face, &fontName, mode_, installed);
}

void TFontFileList::AddRecord(std::string_view path, uint32_t face, const std::string_view* fontName,
                              TFontListMode mode, TInstalledFonts& installed, TFontFields* read) {
  if (Find(path, face)) return;
  // Its place is held first: no record may be listed that the index misses.
  const auto slot = index_.emplace(FaceKey(path, face), nullptr);
  try {
    auto record = std::make_unique<TFontFileInfo>();
    try {
      if (fontName) {
        record->SetFileNameAndName(path, *fontName, installed, face);
      } else if (read) {
        record->SetFileNameRead(std::move(*read), installed);
      } else {
        record->SetFileName(path, installed, face);
      }
    } catch (const std::exception&) {
      record->SetBad(true);
    }
    const bool bodgey = mode == flmInstalled && !record->Installed();
    records_.push_back(std::move(record));
    records_.back()->SetBodgey(bodgey);
  } catch (...) {
    index_.erase(slot);  // no entry may name a record that is not there
    throw;
  }
  slot->second = records_.back().get();
}

void TFontFileList::Sort() {
  // The keys lie end to end in one buffer: no allocation per key, and the
  // sort moves small items.
  struct Keyed {
    size_t at;
    size_t size;
    std::unique_ptr<TFontFileInfo> record;
  };
  std::string keys;
  std::vector<Keyed> keyed;
  keyed.reserve(records_.size());
  for (auto& record : records_) {
    const size_t at = keys.size();
    AppendUpperAscii(keys, record->FontName());
    keyed.push_back({at, keys.size() - at, std::move(record)});
  }
  // string_view compares bytes as unsigned, as the order of names requires.
  const auto key = [&keys](const Keyed& k) { return std::string_view(keys).substr(k.at, k.size); };
  std::sort(keyed.begin(), keyed.end(),
            [&key](const Keyed& a, const Keyed& b) { return key(a) < key(b); });
  for (size_t i = 0; i < keyed.size(); ++i) records_[i] = std::move(keyed[i].record);
}

void TFontFileList::SetMode(TFontListMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  if (mode == flmInstalled) {
    inclSubfolders_ = false;
    path_ = GetFontsFolder();
  }
  Scan();
}

void TFontFileList::SetPath(std::string_view folder) {
  if (mode_ == flmInstalled) return;
  std::string path = IncludeTrailingBackslash(folder);
  if (SameText(path, path_)) return;
  path_ = std::move(path);
  Scan();
}

void TFontFileList::SetCollection(std::string_view name) {
  if (mode_ != flmCollection) return;
  std::string trimmed = Trim(name);
  if (SameText(trimmed, collection_)) return;
  collection_ = std::move(trimmed);
  Scan();
}

void TFontFileList::SetInclSubfolders(bool value) {
  if (mode_ != flmBrowse || value == inclSubfolders_) return;
  inclSubfolders_ = value;
  Scan();
}

void TFontFileList::SetTrueTypeOnly(bool value) {
  if (value == trueTypeOnly_) return;
  trueTypeOnly_ = value;
  if (mode_ == flmBrowse) Scan();
}
