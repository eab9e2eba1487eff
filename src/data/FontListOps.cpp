#include "data/FontListOps.h"

#include <algorithm>

#include "data/FontFileOps.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

constexpr std::wstring_view kCannotInstall = L"不能安装字体.";
constexpr std::wstring_view kCannotUninstall = L"不能反安装字体.";
constexpr std::wstring_view kCannotLoad = L"不能载入字体";
constexpr std::wstring_view kCannotUnload = L"不能反载入字体";
constexpr std::wstring_view kCannotDelete = L"不能删除字体文件.";
constexpr std::wstring_view kCannotCopyTo = L"不能复制文件到 %.";
constexpr std::wstring_view kCannotSaveCollection = L"不能保存藏品 \"%\".";
constexpr std::wstring_view kCollectionReadPartly =
    L"藏品文件没有被完整读出: 保存它会丢失其余的字体. 请在能完整读出它 (刷新) 之后再试.";
constexpr std::string_view kTrueTypeExt = ".TTF";

// The message of one failed font among several: its file first.
void ShowFileError(std::string_view file, std::wstring_view message) {
  std::wstring text = sys::Widen(file);
  text += L"\r\n";
  text += message;
  ShowError(text, true);
}

bool IsTrueTypeFile(std::string_view path) { return SameText(ExtractFileExt(path), kTrueTypeExt); }

// A collection read only in part is never written: the user is told why.
bool RefusedAsPartlyRead(const TFontFileList& list) {
  if (!list.PartlyRead()) return false;
  ShowError(ReplacePercent(kCannotSaveCollection, sys::Widen(list.Collection())) + L"\r\n" +
                std::wstring(kCollectionReadPartly),
            false);
  return true;
}

template <typename Operation>
TListOpOutcome ForEachRecord(const std::vector<TFontFileInfo*>& selected, std::wstring_view failure,
                             Operation operation) {
  TListOpOutcome outcome;
  for (TFontFileInfo* record : selected) {
    if (operation(*record))
      outcome.Update = true;
    else
      ShowFileError(record->FileName(), failure);
  }
  return outcome;
}

void AddUnique(std::vector<std::string>& files, std::string file) {
  auto same = [&](const std::string& f) { return SameText(f, file); };
  if (std::none_of(files.begin(), files.end(), same)) files.push_back(std::move(file));
}

}  // namespace

bool TFontListOps::ListIsFontsFolder() const {
  return list_.Mode() != flmCollection && SameText(list_.Path(), GetFontsFolder());
}

TListOpOutcome TFontListOps::InstallFonts(const std::vector<TFontFileInfo*>& selected) {
  return ForEachRecord(selected, kCannotInstall, [](TFontFileInfo& r) { return r.Install(); });
}

TListOpOutcome TFontListOps::LoadFonts(const std::vector<TFontFileInfo*>& selected) {
  return ForEachRecord(selected, kCannotLoad, [this](TFontFileInfo& r) { return r.Load(loadedFonts_); });
}

TListOpOutcome TFontListOps::UnloadFonts(const std::vector<TFontFileInfo*>& selected) {
  return ForEachRecord(selected, kCannotUnload,
                       [this](TFontFileInfo& r) { return r.Unload(loadedFonts_); });
}

TListOpOutcome TFontListOps::UninstallFonts(const std::vector<TFontFileInfo*>& selected,
                                            bool deleteFiles) {
  const int mode = deleteFiles ? dmDelete : dmLeave;
  const bool listIsFontsFolder = ListIsFontsFolder();
  std::vector<std::string> batch;
  std::vector<TFontFileInfo*> gone;
  bool uninstalled = false;

  for (TFontFileInfo* record : selected) {
    std::string freed;
    if (!record->Uninstall(mode, &freed)) {
      ShowFileError(record->FileName(), kCannotUninstall);
      continue;
    }
    uninstalled = true;
    if (mode == dmLeave && !freed.empty()) AddUnique(batch, freed);
    if (listIsFontsFolder) gone.push_back(record);
  }

  const bool recycled = batch.empty() || RecycleFiles(batch);
  if (!recycled) ShowError(kCannotUninstall, true);

  TListOpOutcome outcome = RemoveRecords(gone);
  outcome.SelectionChanged = false;  // the view only rebuilds its rows here
  outcome.Update = outcome.Update || uninstalled;
  // A list of the fonts folder's files would otherwise hide files still there.
  if (!recycled && list_.Mode() == flmBrowse) outcome.Reload = true;
  return outcome;
}

TListOpOutcome TFontListOps::DeleteFonts(const std::vector<TFontFileInfo*>& selected, bool permanent) {
  if (selected.empty()) return {};
  if (list_.Mode() == flmCollection) {
    if (RefusedAsPartlyRead(list_)) return {};
    return RemoveRecords(selected);  // the files stay
  }
  if (ListIsFontsFolder()) return UninstallFonts(selected, permanent);

  const int mode = permanent ? dmDelete : selected.size() == 1 ? dmRecycle : dmLeave;
  std::vector<std::string> batch;
  std::vector<TFontFileInfo*> gone;
  for (TFontFileInfo* record : selected) {
    const std::string file = record->FileName();
    if (!record->Delete(mode)) {
      ShowFileError(file, kCannotDelete);
      continue;
    }
    gone.push_back(record);
    if (mode == dmLeave) AddUnique(batch, file);
    if (loadedFonts_) {
      const std::string key = UpperAscii(file);
      loadedFonts_->erase(std::remove(loadedFonts_->begin(), loadedFonts_->end(), key),
                          loadedFonts_->end());
    }
  }

  TListOpOutcome outcome = RemoveRecords(gone);
  if (!batch.empty() && !RecycleFiles(batch)) {
    // The files are still there: show them again as they are.
    ShowError(kCannotDelete, true);
    outcome.Update = outcome.Reload = true;
  }
  return outcome;
}

TListOpOutcome TFontListOps::AddFiles(const std::vector<std::string>& fileNames) {
  const std::string target = list_.Path();
  const bool collection = list_.Mode() == flmCollection;
  // No folder to put them in, or no collection: a nameless one would be a file named ".VLM".
  if (collection ? list_.Collection().empty() : target.empty()) return {};
  if (collection && RefusedAsPartlyRead(list_)) return {};
  bool added = false;
  auto addListed = [&](const std::string& path) {
    if (list_.Contains(path)) return;
    list_.AddFile(path);
    added = true;
  };
  const std::wstring cannotCopy = ReplacePercent(kCannotCopyTo, sys::Widen(target));

  if (collection) {
    for (const std::string& name : fileNames)
      if (IsTrueTypeFile(name)) addListed(name);
  } else if (SameText(target, GetFontsFolder())) {
    TFontFileList dropped;
    for (const std::string& name : fileNames)
      if (!SameText(ExtractFilePath(name), target) && IsTrueTypeFile(name)) dropped.AddFile(name);
    for (int i = 0; i < dropped.Count(); ++i) {
      TFontFileInfo& record = *dropped.Items(i);
      if (record.Install())
        addListed(target + ExtractFileName(record.FileName()));
      else
        ShowFileError(record.FileName(), cannotCopy);
    }
  } else {
    for (const std::string& name : fileNames) {
      if (SameText(ExtractFilePath(name), target)) continue;
      const std::string copy = target + ExtractFileName(name);
      if (!sys::Current().CopyFileTo(name, copy, false))
        ShowFileError(name, cannotCopy);
      else if (IsTrueTypeFile(copy))
        addListed(copy);
    }
  }

  if (!added) return {};
  list_.Sort();
  if (collection) SaveCollectionOrTell(list_);
  TListOpOutcome outcome;
  outcome.Update = true;
  return outcome;
}

bool TFontListOps::RenameFont(TFontFileInfo& record, std::string_view newName,
                              std::string_view collectionsFolder) {
  const std::string oldKey = UpperAscii(record.FileName());
  const bool renamed = record.Rename(newName, collectionsFolder);
  list_.Reindex();
  if (renamed && loadedFonts_) {
    auto it = std::find(loadedFonts_->begin(), loadedFonts_->end(), oldKey);
    if (it != loadedFonts_->end()) *it = UpperAscii(record.FileName());
  }
  return renamed;
}

TListOpOutcome TFontListOps::RemoveRecords(const std::vector<TFontFileInfo*>& gone) {
  TListOpOutcome outcome;
  // Refused during a scan: saving then would write a half-read collection.
  if (gone.empty() || list_.Remove(gone) == 0) return outcome;
  outcome.Update = outcome.Removed = outcome.SelectionChanged = true;
  // A collection is what its list holds.
  if (list_.Mode() == flmCollection) SaveCollectionOrTell(list_);
  return outcome;
}

bool SaveCollectionOrTell(TFontFileList& list) {
  if (RefusedAsPartlyRead(list)) return false;
  if (list.SaveCollection()) return true;
  ShowError(ReplacePercent(kCannotSaveCollection, sys::Widen(list.Collection())), true);
  return false;
}
