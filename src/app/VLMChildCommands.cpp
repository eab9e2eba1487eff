// The font window's commands: its popup menus, which the main window's menus
// and tool bar reach too.
#include <algorithm>
#include <memory>

#include "app/VLMChild.h"
#include "app/VLMMessages.h"
#include "app/VLMQuestion.h"
#include "app/VLMRenameFile.h"
#include "data/FontFileOps.h"
#include "data/FontListOps.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "widgets/BrowseDirDlg.h"

namespace {

bool ShiftHeld() { return sys::Current().ShiftDown(); }

// "file\r\nmessage": how errors about one font of several name it.
std::wstring FileMessage(const std::string& fileName, std::wstring_view message) {
  return sys::Widen(fileName) + L"\r\n" + std::wstring(message);
}

// A temporary list holding a collection's records, for the commands that act
// on a whole collection.
struct TCollectionRecords {
  TFontFileList list;
  TCollectionRecords(const std::string& folder, const std::string& name) {
    list.SetMode(flmCollection);
    list.SetPath(folder);
    list.SetCollection(name);
  }
};

// What a drag carries: the inner list view of a font list stands for the
// font list, in this window or another.
TFontList* DraggedFontList(TControl& source) {
  if (!dynamic_cast<TListView*>(&source)) return nullptr;
  return dynamic_cast<TFontList*>(source.Parent());
}

}  // namespace

// ---- the font lists

void TfrmVLMChild::pmFontListInstallClick() {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->InstallFonts(FOptions->InstallForUser());
  MarkOtherListsStale(list);
  if (list == &InstalledFontList) RefreshMultiSampleAll();
}

void TfrmVLMChild::pmFontListUninstallClick() {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->UninstallFonts(ShiftHeld());
  MarkOtherListsStale(list);
  if (list == &InstalledFontList) RefreshMultiSampleAll();
}

void TfrmVLMChild::pmFontListLoadClick() {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->LoadFonts();
  MarkOtherListsStale(list);
}

void TfrmVLMChild::pmFontListUnloadClick() {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->UnloadFonts();
  MarkOtherListsStale(list);
}

void TfrmVLMChild::pmFontListPrintClick() {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->PrintSampleSheet("", FOptions->SampleSheetText(), FOptions->SampleSheetFontSize());
}

void TfrmVLMChild::pmFontListRenameClick() {
  TFontList* list = CurrentFontList();
  TFontFileInfo* record = list ? list->SelectedRecord() : nullptr;
  if (!record) return;
  const std::string oldFile = record->FileName();
  RemoveTempFont();
  // On the heap: deleting a control destroys its window while all of it stands.
  const auto dialog = std::make_unique<TfrmVLMRenameFile>(this);
  dialog->CenterOn(*this);
  dialog->SetFontName(record->FontName());
  dialog->SetFileName(oldFile);
  const bool confirmed = dialog->ShowModal() == mrOK;
  // The dialog let window messages run: a rescan may have replaced the record.
  record = list->SelectedRecord();
  if (!record || !SameText(record->FileName(), oldFile)) return;
  if (!confirmed) {
    AddTempFont(record->FileName());
    return;
  }
  const std::string newFile = dialog->NewFileName();
  std::string fileAfter = oldFile;
  if (list->RenameSelected(newFile, CollectionsList.Path(), fileAfter)) {
    AddTempFont(fileAfter);
    list->UpdateList();
    FontListChange();
    MarkOtherListsStale(list);
  } else {
    // The shell's reason is the one to show, whatever adding the preview back leaves.
    const uint32_t reason = sys::Current().LastError();
    AddTempFont(fileAfter);
    sys::Current().SetLastError(reason);
    ShowError(FileMessage(oldFile, ReplacePercent(L"不能重命名文件为 %.", sys::Widen(newFile))), true);
  }
}

void TfrmVLMChild::pmFontListDeleteClick() {
  TFontList* list = CurrentFontList();
  if (!list || list->SelCount() == 0) return;
  const bool permanent = ShiftHeld();
  if (list != &CollectionsFontList) {
    const int count = list->SelCount();
    const std::wstring question =
        count == 1 ? std::wstring(L"删除字体文件吗?")
                   : ReplacePercent(L"删除 % 种字体文件吗?", std::to_wstring(count));
    if (!Confirm(question)) return;
  }
  if (list != &InstalledFontList) RemoveTempFont();
  list->DeleteFonts(permanent);
  if (list == &InstalledFontList) MarkOtherListsStale(list);
  RefreshMultiSampleAll();
}

void TfrmVLMChild::FontListKeyDown(WORD& key, TShiftState shift) {
  // Delete alone is the menu entry's shortcut; with Shift it deletes for good,
  // whatever the entry's state.
  if (key == VK_DELETE && shift == ssShift) {
    key = 0;
    pmFontListDeleteClick();
  }
}

void TfrmVLMChild::pmFontListCopyToFolderClick() {
  TFontList* list = CurrentFontList();
  if (!list || list->SelCount() < 1) return;
  TBrowseDirDlg& dialog = BrowseDirDlg;
  if (!dialog.Execute(this)) return;
  const std::vector<std::string> files = list->SelectedFileNames();
  CopyFontFiles(files, IncludeTrailingBackslash(dialog.Folder));
}

void TfrmVLMChild::pmFontListSelectAllClick() {
  if (TFontList* list = FocusedFontList()) list->SelectAll();
}

void TfrmVLMChild::pmFontListInvertSelClick() {
  if (TFontList* list = FocusedFontList()) list->InvertSelection();
}

TFontList* TfrmVLMChild::FocusedFontList() {
  TControl* focused = ActiveControl();
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList}) {
    if (focused == &list->ListView()) return list;
  }
  return nullptr;
}

void TfrmVLMChild::pmFontListPropertiesClick() {
  TFontList* list = CurrentFontList();
  TFontFileInfo* record = list ? list->SelectedRecord() : nullptr;
  if (record) sys::Current().ShowFileProperties(record->FileName());
}

void TfrmVLMChild::pmFontListCopyClick() {
  TFontList* list = CurrentFontList();
  if (!list || !list->SelectedRecord()) return;
  sys::Current().SetClipboardFiles(list->SelectedFileNames());
}

void TfrmVLMChild::pmFontListPasteClick() {
  sys::DroppedFiles dropped;
  if (sys::Current().GetClipboardFiles(dropped)) FontListDropFiles(dropped.names);
}

void TfrmVLMChild::pmFontListPopup() {
  CollectionsList.UpdateList();
  pmFontListAddToColl.SetEnabled(CollectionsList.CollectionCount() > 0);
  // Filled before the menu shows: a submenu opening runs no handler of ours.
  pmFontListAddToCollPopup(pmFontListAddToColl);
}

void TfrmVLMChild::pmFontListAddToCollPopup(TMenuItem& submenu) {
  TFontList* list = CurrentFontList();
  const std::string excluded =
      list == &CollectionsFontList ? CollectionsFontList.Collection() : std::string();
  const int count = CollectionsList.CollectionCount();
  for (int i = 0; i < count; ++i) {
    const std::string name = CollectionsList.CollectionNames(i);
    if (i >= submenu.Count()) submenu.Add(L"");
    TMenuItem& entry = submenu.Items(i);
    entry.SetCaption(sys::Widen(name));
    entry.SetEnabled(!SameText(name, excluded));
    entry.OnClick = [this, name] { pmFontListAddToCollClick(name); };
  }
  while (submenu.Count() > count) submenu.Delete(submenu.Count() - 1);
}

void TfrmVLMChild::pmFontListAddToCollClick(const std::string& collection) {
  if (TFontList* list = CurrentFontList()) CollectionAddFromFontList(*list, collection);
}

void TfrmVLMChild::CollectionAddFromFontList(TFontList& list, const std::string& collection) {
  if (collection.empty()) return;  // a nameless collection would be a file named ".VLM"
  if (!SameText(collection, CollectionsFontList.Collection())) {
    TCollectionRecords target(CollectionsList.Path(), collection);
    // A row whose file could not be read shows the reason, not a name: the
    // name it had before goes in (none: the file's own is read next time).
    for (const TFontFileInfo* record : list.SelectedRecords())
      target.list.AddFileWithName(record->FileName(), record->KnownName());
    SaveCollectionOrTell(target.list);
  } else {
    const std::vector<std::string> files = list.SelectedFileNames();
    CollectionsFontList.AddFiles(files);
  }
}

// ---- the collections

void TfrmVLMChild::CollectionCommand(const TCollectionAction& action) {
  const std::string name = CollectionsList.SelectedCollection();
  if (name.empty()) return;
  {
    TCollectionRecords collection(CollectionsList.Path(), name);
    std::vector<TFontFileInfo*> records;
    for (int i = 0; i < collection.list.Count(); ++i) records.push_back(collection.list.Items(i));
    TFontListOps ops(collection.list, FLoadedFonts);
    action(ops, records);
  }
  RefreshWindow();
  MarkOtherListsStale(&CollectionsFontList);
}

void TfrmVLMChild::pmCollectionsListInstallClick() {
  CollectionCommand([forUser = FOptions->InstallForUser()](TFontListOps& ops, const auto& records) {
    ops.InstallFonts(records, forUser);
  });
}

void TfrmVLMChild::pmCollectionsListUninstallClick() {
  // As a list's own: only files that no font of the table names any more are recycled.
  const bool deleteFiles = ShiftHeld();
  CollectionCommand(
      [=](TFontListOps& ops, const auto& records) { ops.UninstallFonts(records, deleteFiles); });
}

void TfrmVLMChild::pmCollectionsListLoadClick() {
  CollectionCommand([](TFontListOps& ops, const auto& records) { ops.LoadFonts(records); });
}

void TfrmVLMChild::pmCollectionsListUnloadClick() {
  CollectionCommand([](TFontListOps& ops, const auto& records) { ops.UnloadFonts(records); });
}

void TfrmVLMChild::pmCollectionsListPrintClick() {
  const std::string name = CollectionsList.SelectedCollection();
  if (name.empty()) return;
  if (!FPrintList) {
    FPrintList = std::make_unique<TFontList>(*this);
    FPrintList->Hide();
    FPrintList->SetMode(flmCollection);
  }
  // The same collection again is read again: it may have changed since.
  const bool same = SameText(FPrintList->Path(), CollectionsList.Path()) &&
                    SameText(FPrintList->Collection(), Trim(name));
  FPrintList->SetPath(CollectionsList.Path());
  FPrintList->SetCollection(name);
  if (same)
    FPrintList->Reload();
  else
    FPrintList->UpdateList();
  FPrintList->SelectAll();
  FPrintList->PrintSampleSheet(name, FOptions->SampleSheetText(), FOptions->SampleSheetFontSize());
}

void TfrmVLMChild::pmCollectionsListNewClick() {
  std::string name;
  if (!AskQuestion(L"创建新藏品", L"新藏品名称(&N):", this, name) || name.empty()) return;
  if (!CollectionsList.NewCollection(name))
    ShowError(ReplacePercent(L"不能创建新藏品 \"%\".", sys::Widen(name)), true);
}

void TfrmVLMChild::pmCollectionsListRenameClick() {
  const int item = CollectionsList.ItemIndex();
  if (item >= 0) CollectionsList.EditCaption(item);
}

void TfrmVLMChild::pmCollectionsListDeleteClick() {
  const std::string name = CollectionsList.SelectedCollection();
  if (name.empty()) return;
  if (Confirm(ReplacePercent(L"删除藏品 \"%\" 吗?", sys::Widen(name)))) CollectionsList.DeleteCollection();
}

void TfrmVLMChild::pmCollectionsListPasteClick() {
  sys::DroppedFiles dropped;
  if (sys::Current().GetClipboardFiles(dropped))
    CollectionsListDropFiles(dropped.names, TPoint{dropped.x, dropped.y});
}

// ---- the directory tree

void TfrmVLMChild::pmDirTreeNewWindowHereClick() {
  if (!OnNewWindow) return;
  const std::string folder = DirTree.Directory();
  TfrmVLMChild& window = OnNewWindow();
  window.SetLoadedFonts(FLoadedFonts);
  window.DirTree.SetDirectory(folder);
  window.pcNav.SetActivePage(&window.tsNavBrowse);
  window.pcNavChange(nullptr);
}

void TfrmVLMChild::pmDirTreePasteClick() {
  sys::DroppedFiles dropped;
  if (sys::Current().GetClipboardFiles(dropped)) DirTreeDropFiles(dropped.names, DirTree.Directory());
}

// ---- dragging font lists

bool TfrmVLMChild::FontListDragOver(TFontList& target, TControl& source) {
  TFontList* dragged = DraggedFontList(source);
  if (!dragged || dragged == &target) return false;
  // A collection list without a collection has nowhere to put them.
  if (target.Mode() == flmCollection && target.Collection().empty()) return false;
  if (dragged->Mode() != flmCollection && target.Mode() != flmCollection)
    return !SameText(dragged->Path(), target.Path());
  return true;
}

void TfrmVLMChild::FontListDragDrop(TFontList& target, TControl& source) {
  TFontList* dragged = DraggedFontList(source);
  if (!dragged) return;
  if (&target != &InstalledFontList) {
    const std::vector<std::string> files = dragged->SelectedFileNames();
    if (TFontList* list = CurrentFontList()) list->AddFiles(files);
  } else {
    dragged->InstallFonts(FOptions->InstallForUser());
    MarkOtherListsStale(dragged);
    InstalledFontList.Reload();
  }
  RefreshMultiSampleAll();
}

bool TfrmVLMChild::CollectionsListDragOver(TControl& source) { return DraggedFontList(source) != nullptr; }

void TfrmVLMChild::CollectionsListDragDrop(TControl& source, TPoint point) {
  TFontList* dragged = DraggedFontList(source);
  const int item = CollectionsList.ItemAt(point.x, point.y);
  if (dragged && item >= 0) CollectionAddFromFontList(*dragged, CollectionsList.CollectionNames(item));
}

bool TfrmVLMChild::DirTreeDragOver(TControl& source, TPoint point) {
  TFontList* dragged = DraggedFontList(source);
  if (!dragged) return false;
  const std::string folder = DirTree.FolderAt(point);
  return !folder.empty() && !SameText(folder, dragged->Path());
}

void TfrmVLMChild::DirTreeDragDrop(TControl& source, TPoint point) {
  TFontList* dragged = DraggedFontList(source);
  const std::string folder = DirTree.FolderAt(point);
  if (!dragged || folder.empty()) return;
  const std::vector<std::string> files = dragged->SelectedFileNames();
  TFontList* current = CurrentFontList();
  if (SameText(folder, GetFontsFolder())) {
    dragged->InstallFonts(FOptions->InstallForUser());
    MarkOtherListsStale(dragged);
  } else if (current && SameText(current->Path(), folder)) {
    current->AddFiles(files);
  } else {
    ShellFileOpList(sys::kFoCopy, sys::kFofAllowUndo, files, folder);
  }
}

bool TfrmVLMChild::edtAddressDragOver(TControl& source) {
  TFontList* dragged = DraggedFontList(source);
  return dragged &&
         !SameText(dragged->Path(), IncludeTrailingBackslash(sys::Narrow(edtAddress.Text())));
}

void TfrmVLMChild::edtAddressDragDrop(TControl& source) {
  if (TFontList* dragged = DraggedFontList(source)) {
    const std::vector<std::string> files = dragged->SelectedFileNames();
    fdhAddressDropFiles(files);
  }
}

// ---- copying files to a folder

void TfrmVLMChild::CopyFontFiles(const std::vector<std::string>& files, const std::string& target) {
  const std::string fontsFolder = GetFontsFolder();
  if (SameText(target, BrowseFontList.Path())) {
    BrowseFontList.AddFiles(files);
    if (SameText(target, fontsFolder)) MarkOtherListsStale(&BrowseFontList);
  } else if (SameText(target, fontsFolder)) {
    InstalledFontList.AddFiles(files);
    MarkOtherListsStale(&InstalledFontList);
  } else if (sys::Current().DirectoryExists(target)) {
    ShellFileOpList(sys::kFoCopy, sys::kFofAllowUndo, files, target);
  } else {
    ShowError(ReplacePercent(L"不能复制文件到 %.", sys::Widen(target)) + L"\r\n" +
                  L"不是一个有效的驱动器或文件夹",
              false);
  }
}

// ---- files dropped from the shell or pasted

void TfrmVLMChild::FontListDropFiles(const std::vector<std::string>& files) {
  TFontList* list = CurrentFontList();
  if (!list) return;
  list->AddFiles(files);
  if (list == &InstalledFontList) MarkOtherListsStale(list);
  RefreshMultiSampleAll();
}

void TfrmVLMChild::CollectionsListDropFiles(const std::vector<std::string>& files, TPoint point) {
  std::string target;
  if (point.x == 0 && point.y == 0) {
    target = CollectionsList.SelectedCollection();
  } else {
    const int item = CollectionsList.ItemAt(point.x, point.y);
    if (item >= 0) target = CollectionsList.CollectionNames(item);
  }
  if (target.empty()) return;
  {
    TCollectionRecords collection(CollectionsList.Path(), target);
    for (const std::string& file : files) collection.list.AddFile(file);
    SaveCollectionOrTell(collection.list);
  }
  if (SameText(target, CollectionsFontList.Collection())) CollectionsFontList.Reload();
}

void TfrmVLMChild::DirTreeDropFiles(const std::vector<std::string>& files, const std::string& folder) {
  if (folder.empty()) return;
  if (SameText(folder, GetFontsFolder())) {
    InstalledFontList.AddFiles(files);
    MarkOtherListsStale(&InstalledFontList);
  } else if (SameText(folder, BrowseFontList.Path())) {
    BrowseFontList.AddFiles(files);
  } else {
    ShellFileOpList(sys::kFoCopy, sys::kFofAllowUndo, files, folder);
  }
}

void TfrmVLMChild::fdhAddressDropFiles(const std::vector<std::string>& files) {
  CopyFontFiles(files, IncludeTrailingBackslash(Trim(sys::Narrow(edtAddress.Text()))));
}

// ---- the edit boxes

HWND TfrmVLMChild::EditTarget(const TMenuItem* sender) {
  // From the popup: the control it opened on; from the main menu: the focus.
  const bool fromPopup = sender && sender->Parent() == &pmEditBox.Items();
  TControl* control = fromPopup ? pmEditBox.PopupComponent() : ActiveControl();
  if (!control || !control->Handle()) return nullptr;
  // A combo box's typing goes to the edit box inside it.
  if (auto* combo = dynamic_cast<TComboBox*>(control)) return combo->EditHandle();
  return control->Handle();
}

void TfrmVLMChild::EditCommand(const TMenuItem* sender, UINT message) {
  if (const HWND target = EditTarget(sender)) SendMessageW(target, message, 0, 0);
}

void TfrmVLMChild::pmEditBoxSelectAllClick(const TMenuItem* sender) {
  const HWND target = EditTarget(sender);
  if (!target) return;
  const LRESULT length = SendMessageW(target, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(target, EM_SETSEL, 0, length);
}

void TfrmVLMChild::pmEditBoxPopup() {
  if (TControl* control = pmEditBox.PopupComponent()) control->SetFocus();
  const TControl* focused = ActiveControl();
  const bool sample = focused == &cmbSamples || focused == &memSample ||
                      (FMultiPage && (focused == &FMultiPage->cmbSamplesMulti || focused == &FMultiPage->MultiSample ||
                                      focused == &FMultiPage->MultiSample.Grid()));
  pmEditBoxAddTextSample.SetVisible(sample);
  pmEditBoxSep3.SetVisible(sample);
  const std::vector<std::wstring> items = cmbSamples.Items();
  pmEditBoxAddTextSample.SetEnabled(std::find(items.begin(), items.end(), cmbSamples.Text()) ==
                                    items.end());
}

void TfrmVLMChild::pmEditBoxAddTextSampleClick() {
  FOptions->SampleTexts().push_back(sys::Narrow(cmbSamples.Text()));
  FOptions->Save();
  Notify(UM_OPTIONSCHANGED, false);
}

// ---- binding

void TfrmVLMChild::BindCommands() {
  pmFontListInstall.OnClick = [this] { pmFontListInstallClick(); };
  pmFontListUninstall.OnClick = [this] { pmFontListUninstallClick(); };
  pmFontListLoad.OnClick = [this] { pmFontListLoadClick(); };
  pmFontListUnload.OnClick = [this] { pmFontListUnloadClick(); };
  pmFontListPrint.OnClick = [this] { pmFontListPrintClick(); };
  pmFontListRename.OnClick = [this] { pmFontListRenameClick(); };
  pmFontListDelete.OnClick = [this] { pmFontListDeleteClick(); };
  pmFontListAddToColl.OnClick = [this] { pmFontListAddToCollPopup(pmFontListAddToColl); };
  pmFontListCopyToFolder.OnClick = [this] { pmFontListCopyToFolderClick(); };
  pmFontListCopy.OnClick = [this] { pmFontListCopyClick(); };
  pmFontListPaste.OnClick = [this] { pmFontListPasteClick(); };
  pmFontListSelectAll.OnClick = [this] { pmFontListSelectAllClick(); };
  pmFontListInvertSel.OnClick = [this] { pmFontListInvertSelClick(); };
  pmFontListProperties.OnClick = [this] { pmFontListPropertiesClick(); };
  pmFontList.OnPopup = [this] { pmFontListPopup(); };
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList})
    list->ListView().OnKeyDown = [this](WORD& key, TShiftState shift) { FontListKeyDown(key, shift); };

  pmCollectionsListInstall.OnClick = [this] { pmCollectionsListInstallClick(); };
  pmCollectionsListUninstall.OnClick = [this] { pmCollectionsListUninstallClick(); };
  pmCollectionsListLoad.OnClick = [this] { pmCollectionsListLoadClick(); };
  pmCollectionsListUnload.OnClick = [this] { pmCollectionsListUnloadClick(); };
  pmCollectionsListPrint.OnClick = [this] { pmCollectionsListPrintClick(); };
  pmCollectionsListNew.OnClick = [this] { pmCollectionsListNewClick(); };
  pmCollectionsListRename.OnClick = [this] { pmCollectionsListRenameClick(); };
  pmCollectionsListDelete.OnClick = [this] { pmCollectionsListDeleteClick(); };
  pmCollectionsListPaste.OnClick = [this] { pmCollectionsListPasteClick(); };

  pmDirTreeNewWindowHere.OnClick = [this] { pmDirTreeNewWindowHereClick(); };
  pmDirTreePaste.OnClick = [this] { pmDirTreePasteClick(); };

  const std::pair<TMenuItem*, UINT> editCommands[] = {
      {&pmEditBoxUndo, WM_UNDO}, {&pmEditBoxCut, WM_CUT},     {&pmEditBoxCopy, WM_COPY},
      {&pmEditBoxPaste, WM_PASTE}, {&pmEditBoxDelete, WM_CLEAR}};
  for (const auto& [item, message] : editCommands)
    item->OnClick = [this, item = item, message = message] { EditCommand(item, message); };
  pmEditBoxSelectAll.OnClick = [this] { pmEditBoxSelectAllClick(&pmEditBoxSelectAll); };
  pmEditBox.OnPopup = [this] { pmEditBoxPopup(); };
  pmEditBoxAddTextSample.OnClick = [this] { pmEditBoxAddTextSampleClick(); };

  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList}) {
    list->ListView().SetAutoDrag(true);
    list->ListView().OnDragOver = [this, list](TControl& source, TPoint) {
      return FontListDragOver(*list, source);
    };
    list->ListView().OnDragDrop = [this, list](TControl& source, TPoint) {
      FontListDragDrop(*list, source);
    };
  }
  CollectionsList.OnDragOver = [this](TControl& source, TPoint) { return CollectionsListDragOver(source); };
  CollectionsList.OnDragDrop = [this](TControl& source, TPoint point) {
    CollectionsListDragDrop(source, point);
  };
  DirTree.OnDragOver = [this](TControl& source, TPoint point) { return DirTreeDragOver(source, point); };
  DirTree.OnDragDrop = [this](TControl& source, TPoint point) { DirTreeDragDrop(source, point); };
  edtAddress.OnDragOver = [this](TControl& source, TPoint) { return edtAddressDragOver(source); };
  edtAddress.OnDragDrop = [this](TControl& source, TPoint) { edtAddressDragDrop(source); };

  for (TFileDropHelper* helper : {&fdhInstalledFontList, &fdhCollectionsFontList, &fdhBrowseFontList})
    helper->OnDropFiles = [this](int, int, const std::vector<std::string>& files) {
      FontListDropFiles(files);
    };
  fdhCollectionsList.OnDropFiles = [this](int x, int y, const std::vector<std::string>& files) {
    CollectionsListDropFiles(files, TPoint{x, y});
  };
  fdhDirTree.OnDropFiles = [this](int x, int y, const std::vector<std::string>& files) {
    DirTreeDropFiles(files, DirTree.FolderAt(TPoint{x, y}));
  };
  fdhAddress.OnDropFiles = [this](int, int, const std::vector<std::string>& files) {
    fdhAddressDropFiles(files);
  };

  BrowseDirDlg.Title = L"选择字体将复制到的文件夹:";
}
