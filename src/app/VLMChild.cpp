#include "app/VLMChild.h"

#include <algorithm>
#include <stdexcept>

#include "app/DataFolders.h"
#include "app/VLMMessages.h"
#include "data/VLMUtil.h"
#include "lists/FilterBox.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/Dpi.h"
#include "lists/ColumnWidths.h"

namespace {

// The caption without its first "&".
std::wstring StripAmpersandW(std::wstring text) {
  const size_t amp = text.find(L'&');
  if (amp != std::wstring::npos) text.erase(amp, 1);
  return text;
}

std::wstring ListSuffix(TFontList& list) {
  TFontFileInfo* record = list.SelectedRecord();
  if (!record || record->Bad()) return {};
  return L" - " + sys::Widen(record->FontName());
}

}  // namespace

TfrmVLMChild::TfrmVLMChild(TMDIFrame& frame)
    : TMDIChild(frame, L"", ui::ScaleToDpi(518, frame.Dpi()), ui::ScaleToDpi(343, frame.Dpi()),
                ui::SongFont(frame.Dpi())) {
  FormCreate();
  FBuilding.End();
}

TfrmVLMChild::~TfrmVLMChild() { RemoveTempFont(); }

void TfrmVLMChild::FormCreate() {
  FNextClipboardViewer = SetClipboardViewer(Handle());
  pmFontListProperties.SetShortCut({VK_RETURN, ssAlt});
  pmCharMatrixZoomIn.SetCaption(pmCharMatrixZoomIn.Caption() + L"     ");
  pmCharMatrixZoomIn.SetShortCut({VK_RETURN, 0});
  pmCharMatrixCopy.SetVisible(false);  // the Unicode mode's, as is the next
  pmCharMatrixCollect.SetVisible(false);
  pmEditBoxAddTextSample.SetVisible(false);
  pmEditBoxSep3.SetVisible(false);
  const ui::TScale px(*this);
  SetMinSize(px(300), px(150));
  if (Height() < px(300)) SetHeight(px(300));
  OnShow = [this] { FormShow(); };
  // The sizes in points stay, in the pixels of the new scale.
  OnDpiChanged = [this] {
    if (!FOptions) return;
    SetSampleFont(FSampleFace, esSampleSize.Value());
    SetNotesFontSize(FOptions->NotesFontSize());
  };

  bvlTopSpacer.SetHeight(px(2));
  bvlTopSpacer.SetAlign(alTop);
  pnlNav.SetWidth(px(200));
  pnlNav.SetAlign(alLeft);
  pnlNav.SetBevelOuter(bvLowered);
  pnlNav.SetBorderWidth(px(5));
  pcNav.SetAlign(alClient);
  pnlView.SetAlign(alClient);
  pnlView.SetBevelOuter(bvLowered);
  pnlView.SetBorderWidth(px(5));
  pcView.SetAlign(alClient);

  InstalledFontList.SetAlign(alClient);
  CollectionsList.SetHeight(px(93));
  CollectionsList.SetAlign(alTop);
  CollectionsList.SetColumnWidth(px(150));
  CollectionsFontList.SetAlign(alClient);
  pnlBrowseTop.SetHeight(px(43));
  pnlBrowseTop.SetAlign(alTop);
  DirTree.SetHeight(px(67));
  DirTree.SetAlign(alTop);
  BrowseFontList.SetAlign(alClient);
  // The splitters go after the controls they resize.
  CollectionsSplitter.SetTop(CollectionsList.Top() + CollectionsList.Height());
  BrowseSplitter.SetTop(DirTree.Top() + DirTree.Height());

  for (TLabel* label : {&lblAddress, &lblInclSubfolders}) label->AutoSize();
  lblAddress.SetBounds(0, px(4), lblAddress.Width(), lblAddress.Height());
  edtAddress.SetBounds(0, px(20), px(100), px(21));
  cbInclSubfolders.SetBounds(0, px(3), px(15), px(15));
  pnlBrowseTop.OnResize = [this] { pnlBrowseTopResize(); };
  pnlBrowseTopResize();
  tsNavCollections.OnResize = [this] { tsNavCollectionsResize(); };

  InstalledFontList.SetMode(flmInstalled);
  CollectionsFontList.SetMode(flmCollection);
  BrowseFontList.SetMode(flmBrowse);
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList}) {
    list->SetColumnWidths(FormatColumnWidths({px(150), px(100)}));
    list->SetInclSubfoldersDepth(3);
    list->SetFilter(kAllFontKinds);
    list->OnChange = [this] { FontListChange(); };
    list->SetPopupMenu(&pmFontList);
    TFilterBox* box = &list->FilterBox();
    box->SetPopupMenu(&pmEditBox);
    box->OnEnter = [this, box] { FocusChange(box); };
    box->OnExit = [this, box] { FocusChange(box); };
  }

  CollectionsList.SetPopupMenu(&pmCollectionsList);
  // While a name is edited in place the editor's own menu serves.
  CollectionsList.OnEditing = [this](int) {
    CollectionsList.SetPopupMenu(nullptr);
    return true;
  };
  CollectionsList.OnEditCancel = [this](int) { CollectionsList.SetPopupMenu(&pmCollectionsList); };
  CollectionsList.OnEdited = [this](int item, std::wstring&) {
    CollectionsList.SetPopupMenu(&pmCollectionsList);
    // The collection shown was renamed: its fonts, saves and caption follow.
    if (item == CollectionsList.ItemIndex()) CollectionsListChange(nullptr);
  };
  CollectionsList.OnEnter = [this] { CollectionsListEnter(); };
  CollectionsList.OnExit = [this] { FocusChange(&CollectionsList); };
  for (TControl* control : std::initializer_list<TControl*>{&InstalledFontList, &CollectionsFontList,
                                                            &BrowseFontList, &DirTree}) {
    control->OnEnter = [this, control] { FocusChange(control); };
    control->OnExit = [this, control] { FocusChange(control); };
  }
  edtAddress.OnEnter = [this] { FocusChange(&edtAddress); };
  edtAddress.OnSelectionChange = [this] { EditSelectionChange(&edtAddress); };
  OnActivate = [this] { FormActivate(); };
  DirTree.SetPopupMenu(&pmDirTree);
  edtAddress.SetPopupMenu(&pmEditBox);
  pcNav.OnChange = [this] { pcNavChange(&pcNav); };
  CollectionsList.OnChange = [this] { CollectionsListChange(&CollectionsList); };
  DirTree.OnChange = [this] { DirTreeChange(&DirTree); };
  cbInclSubfolders.OnClick = [this] { cbInclSubfoldersClick(); };
  lblInclSubfolders.OnClick = [this] { lblInclSubfoldersClick(); };
  // The check box has no caption: its label's accelerator (Alt+U) toggles it.
  lblInclSubfolders.SetFocusControl(&cbInclSubfolders);
  lblAddress.SetFocusControl(&edtAddress);
  edtAddress.OnKeyDown = [this](WORD& key, TShiftState shift) {
    if (key == VK_RETURN && shift == 0) {
      key = 0;
      edtAddressExit();
    }
  };
  edtAddress.OnExit = [this] { edtAddressExit(); };

  CreateViewPages();
  OnCloseQuery = [this](bool&) { FormCloseQuery(); };

  pcNav.SetActivePage(&tsNavInstalled);
  pcView.SetActivePage(&tsViewSample);
  cbInclSubfolders.SetChecked(BrowseFontList.InclSubfolders());

  BindCommands();
  FOptions = std::make_unique<TVLMOptions>();
  ApplyOptions();
  SetLoadedFonts(nullptr);
}

void TfrmVLMChild::ApplyOptions() {
  FOptions->Load();
  bool save = false;
  const TDataFolder notes = EnsureDataFolder(FOptions->NotesFolder(), "Notes");
  memNotes.SetNotesFolder(notes.folder);
  if (notes.replaced) {
    FOptions->SetNotesFolder(memNotes.NotesFolder());
    save = true;
  }
  const TDataFolder collections = EnsureDataFolder(FOptions->CollectionsFolder(), "Collections");
  CollectionsList.SetPath(collections.folder);
  if (collections.replaced) {
    FOptions->SetCollectionsFolder(CollectionsList.Path());
    save = true;
  }
  CollectionsFontList.SetPath(CollectionsList.Path());
  BrowseFontList.SetTrueTypeOnly(FOptions->TrueTypeOnly());
  ApplyViewOptions();
  if (save) FOptions->Save();
}

void TfrmVLMChild::SetLoadedFonts(std::vector<std::string>* loadedFonts) {
  FLoadedFonts = loadedFonts;
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList}) {
    list->SetLoadedFonts(loadedFonts);
  }
}

TFontList* TfrmVLMChild::CurrentFontList() {
  TTabSheet* page = pcNav.ActivePage();
  if (page == &tsNavInstalled) return &InstalledFontList;
  if (page == &tsNavCollections) return &CollectionsFontList;
  if (page == &tsNavBrowse) return &BrowseFontList;
  return nullptr;
}

void TfrmVLMChild::FocusNameFilter() {
  if (TFontList* list = CurrentFontList()) list->FocusFilterBox();
}

void TfrmVLMChild::SetFilter(TFontKinds filter) {
  if (filter == FFilter) return;
  FFilter = filter;
  if (TFontList* list = CurrentFontList()) list->SetFilter(filter);
  if (pcView.ActivePage() == &tsViewMulti) Multi().MultiSample.SetFilter(filter);
}

void TfrmVLMChild::FormShow() { pcNavChange(nullptr); }

void TfrmVLMChild::pcNavChange(TControl* sender) {
  RemoveTempFont();
  UpdateCaption();
  TTabSheet* page = pcNav.ActivePage();
  if (page == &tsNavInstalled) {
    if (FInstalledStale) {
      InstalledFontList.Reload();
      FInstalledStale = false;
    }
    InstalledFontList.SetFilter(FFilter);
    FontListChange();
    InstalledFontList.SetFocus();
  } else if (page == &tsNavCollections) {
    if (FCollectionsStale) {
      CollectionsFontList.Reload();
      FCollectionsStale = false;
    }
    CollectionsFontList.SetFilter(FFilter);
    CollectionsListChange(sender);
    CollectionsFontList.SetFocus();
  } else if (page == &tsNavBrowse) {
    if (FBrowseStale) {
      BrowseFontList.Reload();
      FBrowseStale = false;
    }
    BrowseFontList.SetFilter(FFilter);
    edtAddress.SetWidth(pnlBrowseTop.Width() - edtAddress.Left());
    DirTreeChange(sender);
    BrowseFontList.SetFocus();
  } else {
    throw std::logic_error("pcNavChange - unknown ActivePage!");
  }
  if (FMultiPage) FMultiPage->rbMultiAll.SetText(MultiAllCaption());
}

void TfrmVLMChild::FontListChange() {
  sys::Current().ProcessMessages();
  TFontList* list = CurrentFontList();
  if (!list) return;
  TFontFileInfo* record = list->SelectedRecord();
  UpdateFontListCommands(*list, record);
  UpdateCaption();
  if (record && !record->Bad() && list != &InstalledFontList) {
    RemoveTempFont();
    AddTempFont(record->FileName());
  }
  ShowRecordInViews(record);
  Notify(UM_LISTCHANGED, true);
}

void TfrmVLMChild::UpdateFontListCommands(TFontList& list, const TFontFileInfo* record) {
  const bool readable = record && !record->Bad();
  const bool installedList = &list == &InstalledFontList;
  pmFontListPrint.SetEnabled(readable);
  pmFontListProperties.SetEnabled(readable);
  pmFontListRename.SetEnabled(list.SelCount() == 1);
  pmFontListDelete.SetEnabled(!installedList && readable);
  pmFontListCopyToFolder.SetEnabled(record != nullptr);
  pmFontListCopy.SetEnabled(record != nullptr);
  const bool installed = readable && record->Installed();
  const bool loaded = readable && IsLoaded(record->FileName());
  const bool canLoad = readable && FLoadedFonts && !installed && !installedList;
  pmFontListInstall.SetEnabled(readable && !installed);
  pmFontListUninstall.SetEnabled(installed);
  pmFontListLoad.SetEnabled(canLoad && !loaded);
  pmFontListUnload.SetEnabled(canLoad && loaded);
  pmFontListSelectAll.SetEnabled(readable && list.SelCount() < list.FontFileList().Count());
  pmFontListInvertSel.SetEnabled(readable);
}

void TfrmVLMChild::CollectionsListChange(TControl* sender) {
  sys::Current().ProcessMessages();
  if (!Visible() || pcNav.ActivePage() != &tsNavCollections) return;
  const bool selected = !CollectionsList.SelectedCollection().empty();
  for (TMenuItem* item : {&pmCollectionsListInstall, &pmCollectionsListUninstall, &pmCollectionsListLoad,
                          &pmCollectionsListUnload, &pmCollectionsListPrint, &pmCollectionsListRename,
                          &pmCollectionsListDelete}) {
    item->SetEnabled(selected);
  }
  pmCollectionsListPaste.SetEnabled(selected && sys::Current().ClipboardHasFiles());
  // Without a collection the shell's drag shows that nothing may be dropped.
  fdhCollectionsFontList.SetAccepting(selected);
  CollectionsFontList.SetCollection(CollectionsList.SelectedCollection());
  CollectionsFontList.UpdateList();
  if (sender == &CollectionsList) RefreshMultiSampleAll();
}

void TfrmVLMChild::DirTreeChange(TControl* sender) {
  sys::Current().ProcessMessages();
  if (!Visible() || pcNav.ActivePage() != &tsNavBrowse) return;
  const std::string folder = DirTree.Directory();
  edtAddress.SetText(sys::Widen(folder));
  BrowseFontList.SetPath(folder);
  BrowseFontList.UpdateList();
  if (sender == &DirTree) RefreshMultiSampleAll();
}

void TfrmVLMChild::cbInclSubfoldersClick() {
  BrowseFontList.SetInclSubfolders(cbInclSubfolders.Checked());
  // The list rescanned itself: the view still shows the rows of its last rebuild.
  RefreshMultiSampleAll();
}

void TfrmVLMChild::lblInclSubfoldersClick() {
  cbInclSubfolders.SetChecked(!cbInclSubfolders.Checked());
}

void TfrmVLMChild::edtAddressExit() {
  DirTree.SetDirectory(sys::Narrow(edtAddress.Text()));
  FocusChange(&edtAddress);
}

void TfrmVLMChild::FormActivate() { Notify(UM_CHILDACTIVATED, true); }

void TfrmVLMChild::FocusChange(TControl* sender) {
  if (dynamic_cast<TEdit*>(sender) || dynamic_cast<TComboBox*>(sender)) EditSelectionChange(sender);
  Notify(UM_FOCUSCHANGED, false);
}

void TfrmVLMChild::EditSelectionChange(TControl* sender) {
  bool canUndo = false;
  int selLength = 0;
  int textLength = 0;
  if (auto* edit = dynamic_cast<TEdit*>(sender)) {
    canUndo = edit->CanUndo();
    selLength = edit->SelLength();
  } else if (auto* combo = dynamic_cast<TComboBox*>(sender)) {
    canUndo = combo->EditHandle() && SendMessageW(combo->EditHandle(), EM_CANUNDO, 0, 0) != 0;
    selLength = combo->SelLength();
  } else {
    return;
  }
  textLength = static_cast<int>(sender->Text().size());
  pmEditBoxUndo.SetEnabled(canUndo);
  for (TMenuItem* item : {&pmEditBoxCut, &pmEditBoxCopy, &pmEditBoxDelete}) item->SetEnabled(selLength > 0);
  pmEditBoxSelectAll.SetEnabled(selLength != textLength);
  Notify(UM_EDITSELCHANGED, false);
}

void TfrmVLMChild::UpdatePasteCommands() {
  const bool files = sys::Current().ClipboardHasFiles();
  pmFontListPaste.SetEnabled(files);
  pmCollectionsListPaste.SetEnabled(files);
  pmDirTreePaste.SetEnabled(files);
  pmEditBoxPaste.SetEnabled(sys::Current().ClipboardHasText());
  Notify(UM_CLIPBOARDCHANGED, false);
}

void TfrmVLMChild::CollectionsListEnter() {
  CollectionsList.SetPopupMenu(&pmCollectionsList);
  FocusChange(&CollectionsList);
}

void TfrmVLMChild::MarkOtherListsStale(const TFontList* list) {
  if (list != &InstalledFontList) FInstalledStale = true;
  if (list != &CollectionsFontList) FCollectionsStale = true;
  if (list != &BrowseFontList) FBrowseStale = true;
}

void TfrmVLMChild::RefreshWindow() {
  if (pcNav.ActivePage() == &tsNavCollections) {
    CollectionsList.UpdateList();
    CollectionsListChange(nullptr);
  } else if (pcNav.ActivePage() == &tsNavBrowse) {
    DirTree.Refresh();
    DirTreeChange(nullptr);
  }
  if (TFontList* list = CurrentFontList()) list->Reload();
  // The view shows the rows of its last rebuild; the list it shows was rescanned.
  RefreshMultiSampleAll();
  memNotes.LoadNote();
}

void TfrmVLMChild::FormCloseQuery() {
  if (pcView.ActivePage() == &tsViewNotes) memNotes.SaveNote();
}

void TfrmVLMChild::Notify(UINT message, bool post) {
  const HWND frame = Frame().Handle();
  if (!frame) return;
  if (post) {
    PostMessageW(frame, message, 0, 0);
  } else {
    SendMessageW(frame, message, 0, 0);
  }
}

LRESULT TfrmVLMChild::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DRAWCLIPBOARD:
      UpdatePasteCommands();
      if (FNextClipboardViewer) SendMessageW(FNextClipboardViewer, msg, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == FNextClipboardViewer) {
        FNextClipboardViewer = reinterpret_cast<HWND>(lParam);
      } else if (FNextClipboardViewer) {
        SendMessageW(FNextClipboardViewer, msg, wParam, lParam);
      }
      return 0;
    case WM_DESTROY:
      // The chain must not keep a window that is gone.
      ChangeClipboardChain(Handle(), FNextClipboardViewer);
      FNextClipboardViewer = nullptr;
      break;
    default:
      break;
  }
  return TMDIChild::OnMessage(msg, wParam, lParam);
}

void TfrmVLMChild::pnlBrowseTopResize() {
  const ui::TScale px(*this);
  const int width = pnlBrowseTop.ClientWidth();
  edtAddress.SetWidth(width - edtAddress.Left());
  cbInclSubfolders.SetLeft(width - cbInclSubfolders.Width());
  lblInclSubfolders.SetBounds(cbInclSubfolders.Left() - px(8) - lblInclSubfolders.Width(), px(4),
                              lblInclSubfolders.Width(), lblInclSubfolders.Height());
}

void TfrmVLMChild::tsNavCollectionsResize() {
  const int border = tsNavCollections.BorderWidth();
  CollectionsList.SetColumnWidth(tsNavCollections.ClientWidth() - 2 * (border + ui::TScale(*this)(4)) -
                                 GetSystemMetrics(SM_CXVSCROLL));
}

void TfrmVLMChild::UpdateCaption() {
  TTabSheet* page = pcNav.ActivePage();
  if (!page) return;
  std::wstring caption = StripAmpersandW(page->Caption());
  if (page == &tsNavInstalled) {
    caption += ListSuffix(InstalledFontList);
  } else if (page == &tsNavCollections) {
    caption += L" - " + sys::Widen(CollectionsList.SelectedCollection()) +
               ListSuffix(CollectionsFontList);
  } else if (page == &tsNavBrowse) {
    caption += L" - " + sys::Widen(DirTree.Directory()) + ListSuffix(BrowseFontList);
  }
  SetText(caption);
}

bool TfrmVLMChild::IsLoaded(const std::string& fileName) const {
  if (!FLoadedFonts) return false;
  const std::string upper = UpperAscii(fileName);
  return std::find(FLoadedFonts->begin(), FLoadedFonts->end(), upper) != FLoadedFonts->end();
}

void TfrmVLMChild::AddTempFont(const std::string& fileName) {
  if (!FTempFontFile.empty()) RemoveTempFont();
  FTempFontAdded = sys::Current().AddFont(fileName) != 0;
  FTempFontFile = fileName;
}

void TfrmVLMChild::RemoveTempFont() {
  if (FTempFontFile.empty()) return;
  // The system counts every addition of a file: taking back only the
  // preview's own leaves a font the user loaded for the session loaded.
  if (FTempFontAdded) sys::Current().RemoveFont(FTempFontFile);
  FTempFontAdded = false;
  FTempFontFile.clear();
}
