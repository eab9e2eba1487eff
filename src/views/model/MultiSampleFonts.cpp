#include "views/model/MultiSampleFonts.h"

#include <algorithm>

#include "data/VLMUtil.h"
#include "sys/sys.h"

void TSampleFonts::Sync(const std::vector<TSampleRow>& rows, multi_sample::TRowRange range) {
  const int first = std::max(0, range.first);
  const int last = std::min(static_cast<int>(rows.size()), range.last);
  std::vector<std::string> wanted;
  std::vector<const std::string*> wantedFiles;
  for (int r = first; r < last; ++r) {
    const TSampleRow& row = rows[static_cast<size_t>(r)];
    if (row.installed) continue;
    std::string key = UpperAscii(row.fileName);
    if (std::find(wanted.begin(), wanted.end(), key) != wanted.end()) continue;
    wanted.push_back(std::move(key));
    wantedFiles.push_back(&row.fileName);
  }
  std::erase_if(entries_, [&](const Entry& entry) {
    if (std::find(wanted.begin(), wanted.end(), entry.key) != wanted.end()) return false;
    Release(entry);
    return true;
  });
  for (size_t i = 0; i < wanted.size(); ++i) {
    const auto same = [&](const Entry& entry) { return entry.key == wanted[i]; };
    if (std::any_of(entries_.begin(), entries_.end(), same)) continue;
    // A font the system refuses is drawn in whatever face it substitutes.
    const bool added = sys::Current().AddFont(*wantedFiles[i]) != 0;
    entries_.push_back({*wantedFiles[i], std::move(wanted[i]), added});
  }
}

void TSampleFonts::Clear() {
  for (const Entry& entry : entries_) Release(entry);
  entries_.clear();
}

std::vector<std::string> TSampleFonts::Files() const {
  std::vector<std::string> files;
  for (const Entry& entry : entries_)
    if (entry.added) files.push_back(entry.file);
  return files;
}

void TSampleFonts::Release(const Entry& entry) {
  // Removing a font we never added would take away someone else's.
  if (entry.added) sys::Current().RemoveFont(entry.file);
}

TTemporaryFont::TTemporaryFont(const std::string& fileName, bool installed)
    : fileName_(!installed && sys::Current().AddFont(fileName) != 0 ? &fileName : nullptr) {}

TTemporaryFont::~TTemporaryFont() {
  if (fileName_) sys::Current().RemoveFont(*fileName_);
}
