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
constexpr std::wstring_view kStillNamed = L"已安装字体表中仍有字体使用此文件.";
constexpr std::wstring_view kOutsideFontsFolder = L"此文件不在字体文件夹中.";
constexpr std::wstring_view kCollectionReadPartly =
    L"藏品文件没有被完整读出: 保存它会丢失其余的字体. 请在能完整读出它 (刷新) 之后再试.";

// The message of one failed font among several: its file first.
void ShowFileError(std::string_view file, std::wstring_view message) {
  std::wstring text = sys::Widen(file);
  text += L"\r\n";
  text += message;
  ShowError(text, true);
}

// A file the user asked to delete that is still there, and why.
void ShowFileKept(std::string_view file, std::wstring_view reason) {
  std::wstring text = sys::Widen(file);
  text += L"\r\n";
  text += kCannotDelete;
  text += L"\r\n";
  text += reason;
  ShowError(text, false);
}

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

TListOpOutcome TFontListOps::InstallFonts(const std::vector<TFontFileInfo*>& selected, bool forUser) {
  return ForEachRecord(selected, kCannotInstall,
                       [forUser](TFontFileInfo& r) { return forUser ? r.InstallForUser() : r.Install(); });
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
  std::vector<Disposal> disposed;
  bool uninstalled = false;

  for (TFontFileInfo* record : selected) {
    const bool wasInstalled = record->Installed();
    std::string file = record->FileName();
    std::string freed;
    if (!record->Uninstall(mode, &freed)) {
      ShowFileError(file, kCannotUninstall);
      // Its file may be what failed: the row's mark must still follow.
      uninstalled = uninstalled || !record->Installed();
      continue;
    }
    uninstalled = true;
    if (mode == dmLeave && !freed.empty()) AddUnique(batch, freed);
    if (listIsFontsFolder && wasInstalled) disposed.push_back({record, std::move(file), true});
  }

  if (!batch.empty() && !RecycleFiles(batch)) ShowError(kCannotUninstall, true);

  TListOpOutcome outcome = RemoveRecords(Gone(disposed));
  outcome.SelectionChanged = false;  // the view only rebuilds its rows here
  outcome.Update = outcome.Update || uninstalled;
  return outcome;
}

TListOpOutcome TFontListOps::DeleteFonts(const std::vector<TFontFileInfo*>& selected, bool permanent) {
  if (selected.empty()) return {};
  if (list_.Mode() == flmCollection) {
    if (RefusedAsPartlyRead(list_)) return {};
    return RemoveRecords(selected);  // the files stay
  }
  if (ListIsFontsFolder()) return DeleteFromFontsFolder(selected, permanent);

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
    ForgetLoaded(file);
  }

  TListOpOutcome outcome = RemoveRecords(gone);
  if (!batch.empty() && !RecycleFiles(batch)) {
    // The files are still there: show them again as they are.
    ShowError(kCannotDelete, true);
    outcome.Update = outcome.Reload = true;
  }
  return outcome;
}

TListOpOutcome TFontListOps::DeleteFromFontsFolder(const std::vector<TFontFileInfo*>& selected,
                                                   bool permanent) {
  // Without Shift the files go to the recycle bin together at the end.
  const int mode = permanent ? dmDelete : dmLeave;
  std::vector<std::string> batch;
  std::vector<Disposal> disposed;

  bool unmarked = false;
  for (TFontFileInfo* record : selected) {
    std::string file = record->FileName();
    if (record->Installed()) {
      std::string freed;
      if (!record->Uninstall(mode, &freed)) {
        ShowFileError(file, kCannotUninstall);
        unmarked = unmarked || !record->Installed();
        continue;
      }
      if (mode == dmLeave && !freed.empty()) AddUnique(batch, freed);
      disposed.push_back({record, std::move(file), true});
    } else if (FontTableNamesFile(file)) {
      // A value this program cannot match to the font (a bodgey row): deleting
      // the file would leave the table naming nothing.
      ShowFileKept(file, kStillNamed);
    } else if (!record->Delete(mode)) {
      ShowFileError(file, kCannotDelete);
    } else {
      if (mode == dmLeave) AddUnique(batch, file);
      ForgetLoaded(file);
      disposed.push_back({record, std::move(file), false});
    }
  }

  const bool recycled = batch.empty() || RecycleFiles(batch);
  if (!recycled) ShowError(kCannotDelete, true);

  std::vector<TFontFileInfo*> gone = Gone(disposed);
  for (const Disposal& d : disposed) {
    // Delete cleared the record: it cannot stay, the rescan below shows the file again.
    if (d.record->FileName().empty() && std::find(gone.begin(), gone.end(), d.record) == gone.end())
      gone.push_back(d.record);
    if (recycled && sys::Current().FileExists(d.file))
      ShowFileKept(d.file, SameText(ExtractFilePath(d.file), GetFontsFolder()) ? kStillNamed
                                                                               : kOutsideFontsFolder);
  }

  TListOpOutcome outcome = RemoveRecords(gone);
  outcome.SelectionChanged = false;  // as an uninstall: the view only rebuilds its rows
  outcome.Update = outcome.Update || !disposed.empty() || unmarked;
  if (!recycled && list_.Mode() == flmBrowse) outcome.Reload = true;
  return outcome;
}

std::vector<TFontFileInfo*> TFontListOps::Gone(const std::vector<Disposal>& disposed) const {
  const bool installedPage = list_.Mode() == flmInstalled;
  std::vector<TFontFileInfo*> gone;
  for (const Disposal& d : disposed)
    if ((installedPage && d.unregistered) || !sys::Current().FileExists(d.file)) gone.push_back(d.record);
  return gone;
}

void TFontListOps::ForgetLoaded(const std::string& file) {
  if (!loadedFonts_) return;
  const std::string key = UpperAscii(file);
  loadedFonts_->erase(std::remove(loadedFonts_->begin(), loadedFonts_->end(), key), loadedFonts_->end());
}

TListOpOutcome TFontListOps::AddFiles(const std::vector<std::string>& fileNames) {
  const std::string target = list_.Path();
  const bool collection = list_.Mode() == flmCollection;
  // No folder to put them in, or no collection: a nameless one would be a file named ".VLM".
  if (collection ? list_.Collection().empty() : target.empty()) return {};
  if (collection && RefusedAsPartlyRead(list_)) return {};
  bool added = false;
  // `copied`: the file was written over whatever had its name, so a record
  // of that name shows another font now and is made afresh.
  auto addListed = [&](const std::string& path, bool copied) {
    if (copied) list_.RemoveFileFaces(path);
    if (list_.Contains(path)) return;
    list_.AddFileFaces(path);
    added = true;
  };
  const std::wstring cannotCopy = ReplacePercent(kCannotCopyTo, sys::Widen(target));

  if (collection) {
    for (const std::string& name : fileNames)
      if (IsFontFileName(name)) addListed(name, false);
  } else if (SameText(target, GetFontsFolder())) {
    TFontFileList dropped;
    for (const std::string& name : fileNames)
      if (!SameText(ExtractFilePath(name), target) && IsFontFileName(name)) dropped.AddFile(name);
    for (int i = 0; i < dropped.Count(); ++i) {
      TFontFileInfo& record = *dropped.Items(i);
      if (record.Install())
        addListed(target + ExtractFileName(record.FileName()), true);
      else
        ShowFileError(record.FileName(), cannotCopy);
    }
  } else {
    for (const std::string& name : fileNames) {
      if (SameText(ExtractFilePath(name), target)) continue;
      const std::string copy = target + ExtractFileName(name);
      if (!sys::Current().CopyFileTo(name, copy, false))
        ShowFileError(name, cannotCopy);
      else if (list_.TrueTypeOnly() ? IsPlainTrueTypeFileName(copy) : IsFontFileName(copy))
        addListed(copy, true);
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
