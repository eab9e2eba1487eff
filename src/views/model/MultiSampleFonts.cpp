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
  for (size_t i = files_.size(); i-- > 0;) {
    if (std::find(wanted.begin(), wanted.end(), keys_[i]) != wanted.end()) continue;
    sys::Current().RemoveFont(files_[i]);
    files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(i));
    keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  for (size_t i = 0; i < wanted.size(); ++i) {
    if (std::find(keys_.begin(), keys_.end(), wanted[i]) != keys_.end()) continue;
    // The result is of no use: a font the system refuses is drawn in whatever
    // face it substitutes.
    sys::Current().AddFont(*wantedFiles[i]);
    files_.push_back(*wantedFiles[i]);
    keys_.push_back(std::move(wanted[i]));
  }
}

void TSampleFonts::Clear() {
  for (const std::string& file : files_) sys::Current().RemoveFont(file);
  files_.clear();
  keys_.clear();
}

TTemporaryFont::TTemporaryFont(const std::string& fileName, bool installed)
    : fileName_(installed ? nullptr : &fileName) {
  if (fileName_) sys::Current().AddFont(*fileName_);
}

TTemporaryFont::~TTemporaryFont() {
  if (fileName_) sys::Current().RemoveFont(*fileName_);
}
