#include "data/FontFileList.h"

#include <algorithm>
#include <exception>

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

bool TFontFileList::Contains(std::string_view path) const { return Listed(UpperAscii(path), path); }

bool TFontFileList::Listed(const std::string& key, std::string_view path) const {
  const auto it = index_.find(key);
  if (it == index_.end()) return false;
  // A listed record whose file was deleted or renamed since no longer counts.
  if (SameText(it->second->FileName(), path)) return true;
  index_.erase(it);
  return false;
}

void TFontFileList::Reindex() {
  index_.clear();
  for (const auto& record : records_) index_.emplace(UpperAscii(record->FileName()), record.get());
}

void TFontFileList::AddFile(std::string_view path) { AddRecord(path, nullptr, mode_); }

void TFontFileList::AddFileWithName(std::string_view path, std::string_view fontName) {
  AddRecord(path, &fontName, mode_);
}

void TFontFileList::AddRecord(std::string_view path, const std::string_view* fontName,
                              TFontListMode mode) {
  std::string key = UpperAscii(path);
  if (Listed(key, path)) return;
  auto record = std::make_unique<TFontFileInfo>();
  try {
    if (fontName) {
      record->SetFileNameAndName(path, *fontName);
    } else {
      record->SetFileName(path);
    }
  } catch (const std::exception&) {
    record->SetBad(true);
  }
  const bool bodgey = mode == flmInstalled && !record->Installed();
  index_.emplace(std::move(key), record.get());
  records_.push_back(std::move(record));
  records_.back()->SetBodgey(bodgey);
}

void TFontFileList::Sort() {
  struct Keyed {
    std::string key;
    std::unique_ptr<TFontFileInfo> record;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(records_.size());
  for (auto& record : records_) keyed.push_back({UpperAscii(record->FontName()), std::move(record)});
  // std::string compares bytes as unsigned, as the order of names requires.
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
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
