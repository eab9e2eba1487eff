#include "app/VLMChild.h"

#include <algorithm>
#include <stdexcept>

#include "app/DataFolders.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"

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

TfrmVLMChild::TfrmVLMChild(TMDIFrame& frame) : TMDIChild(frame, L"", 518, 343) { FormCreate(); }

TfrmVLMChild::~TfrmVLMChild() { RemoveTempFont(); }

void TfrmVLMChild::FormCreate() {
  SetFont(ui::SongFont());
  pmFontListProperties.SetShortCut({VK_RETURN, ssAlt});
  pmCharMatrixZoomIn.SetCaption(pmCharMatrixZoomIn.Caption() + L"     ");
  pmCharMatrixZoomIn.SetShortCut({VK_RETURN, 0});
  pmEditBoxAddTextSample.SetVisible(false);
  pmEditBoxSep3.SetVisible(false);
  SetMinSize(300, 150);
  if (Height() < 300) SetHeight(300);
  OnShow = [this] { FormShow(); };

  bvlTopSpacer.SetHeight(2);
  bvlTopSpacer.SetAlign(alTop);
  pnlNav.SetWidth(200);
  pnlNav.SetAlign(alLeft);
  pnlNav.SetBevelOuter(bvLowered);
  pnlNav.SetBorderWidth(5);
  pcNav.SetAlign(alClient);
  pnlView.SetAlign(alClient);
  pnlView.SetBevelOuter(bvLowered);
  pnlView.SetBorderWidth(5);
  pcView.SetAlign(alClient);

  InstalledFontList.SetAlign(alClient);
  CollectionsList.SetHeight(93);
  CollectionsList.SetAlign(alTop);
  CollectionsList.SetColumnWidth(150);
  CollectionsFontList.SetAlign(alClient);
  pnlBrowseTop.SetHeight(43);
  pnlBrowseTop.SetAlign(alTop);
  DirTree.SetHeight(67);
  DirTree.SetAlign(alTop);
  BrowseFontList.SetAlign(alClient);
  // The splitters go after the controls they resize.
  CollectionsSplitter.SetTop(CollectionsList.Top() + CollectionsList.Height());
  BrowseSplitter.SetTop(DirTree.Top() + DirTree.Height());

  for (TLabel* label : {&lblAddress, &lblInclSubfolders}) label->AutoSize();
  lblAddress.SetBounds(0, 4, lblAddress.Width(), lblAddress.Height());
  edtAddress.SetBounds(0, 20, 100, 21);
  cbInclSubfolders.SetBounds(0, 3, 15, 15);
  pnlBrowseTop.OnResize = [this] { pnlBrowseTopResize(); };
  pnlBrowseTopResize();
  tsNavCollections.OnResize = [this] { tsNavCollectionsResize(); };

  InstalledFontList.SetMode(flmInstalled);
  CollectionsFontList.SetMode(flmCollection);
  BrowseFontList.SetMode(flmBrowse);
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList}) {
    list->SetColumnWidths("150,100");
    list->SetInclSubfoldersDepth(3);
    list->SetFilter(kAllFontKinds);
    list->OnChange = [this] { FontListChange(); };
    list->SetPopupMenu(&pmFontList);
  }

  CollectionsList.SetPopupMenu(&pmCollectionsList);
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

  pcNav.SetActivePage(&tsNavInstalled);
  pcView.SetActivePage(&tsViewSample);
  cbInclSubfolders.SetChecked(BrowseFontList.InclSubfolders());

  FOptions = std::make_unique<TVLMOptions>();
  ApplyOptions();
  SetLoadedFonts(nullptr);
}

void TfrmVLMChild::ApplyOptions() {
  FOptions->Load();
  bool save = false;
  const TDataFolder collections = EnsureDataFolder(FOptions->CollectionsFolder(), "Collections");
  CollectionsList.SetPath(collections.folder);
  if (collections.replaced) {
    FOptions->SetCollectionsFolder(CollectionsList.Path());
    save = true;
  }
  CollectionsFontList.SetPath(CollectionsList.Path());
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

void TfrmVLMChild::SetFilter(TFontKinds filter) {
  if (filter == FFilter) return;
  FFilter = filter;
  if (TFontList* list = CurrentFontList()) list->SetFilter(filter);
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
}

void TfrmVLMChild::FontListChange() {
  sys::Current().ProcessMessages();
  TFontList* list = CurrentFontList();
  if (!list) return;
  TFontFileInfo* record = list->SelectedRecord();
  UpdateCaption();
  if (!record || record->Bad()) return;
  if (list != &InstalledFontList) {
    RemoveTempFont();
    AddTempFont(record->FileName());
  }
}

void TfrmVLMChild::CollectionsListChange(TControl* sender) {
  (void)sender;
  sys::Current().ProcessMessages();
  if (!Visible() || pcNav.ActivePage() != &tsNavCollections) return;
  CollectionsFontList.SetCollection(CollectionsList.SelectedCollection());
  CollectionsFontList.UpdateList();
}

void TfrmVLMChild::DirTreeChange(TControl* sender) {
  (void)sender;
  sys::Current().ProcessMessages();
  if (!Visible() || pcNav.ActivePage() != &tsNavBrowse) return;
  const std::string folder = DirTree.Directory();
  edtAddress.SetText(sys::Widen(folder));
  BrowseFontList.SetPath(folder);
  BrowseFontList.UpdateList();
}

void TfrmVLMChild::cbInclSubfoldersClick() {
  BrowseFontList.SetInclSubfolders(cbInclSubfolders.Checked());
}

void TfrmVLMChild::lblInclSubfoldersClick() {
  cbInclSubfolders.SetChecked(!cbInclSubfolders.Checked());
}

void TfrmVLMChild::edtAddressExit() {
  DirTree.SetDirectory(sys::Narrow(edtAddress.Text()));
}

void TfrmVLMChild::pnlBrowseTopResize() {
  const int width = pnlBrowseTop.ClientWidth();
  edtAddress.SetWidth(width - edtAddress.Left());
  cbInclSubfolders.SetLeft(width - cbInclSubfolders.Width());
  lblInclSubfolders.SetBounds(cbInclSubfolders.Left() - 8 - lblInclSubfolders.Width(), 4,
                              lblInclSubfolders.Width(), lblInclSubfolders.Height());
}

void TfrmVLMChild::tsNavCollectionsResize() {
  const int border = tsNavCollections.BorderWidth();
  CollectionsList.SetColumnWidth(tsNavCollections.ClientWidth() - 2 * (border + 4) -
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
  sys::Current().AddFont(fileName);
  FTempFontFile = fileName;
}

void TfrmVLMChild::RemoveTempFont() {
  if (FTempFontFile.empty()) return;
  // A file the user loaded for the session stays loaded.
  if (FLoadedFonts && !IsLoaded(FTempFontFile)) sys::Current().RemoveFont(FTempFontFile);
  FTempFontFile.clear();
}
