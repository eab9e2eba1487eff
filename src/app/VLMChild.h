// TfrmVLMChild: the font window. Its left half navigates (installed fonts,
// collections, folders), its right half views the chosen fonts.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "data/FontKind.h"
#include "data/FontListOps.h"
#include "data/VLMOptions.h"
#include "lists/CollectionList.h"
#include "lists/FilterBox.h"
#include "lists/FontList.h"
#include "ui/Controls.h"
#include "views/CharMatrix.h"
#include "views/EditSlider.h"
#include "views/FileDropHelper.h"
#include "views/FontInfoPanel.h"
#include "views/FontNote.h"
#include "views/MultiSample.h"
#include "views/SelectionEdit.h"
#include "widgets/BrowseDirDlg.h"
#include "widgets/DirTree.h"

struct TMultiSamplePage {
  explicit TMultiSamplePage(TTabSheet& page) : sheet(page) {}
  TTabSheet& sheet;
  TPanel pnlMultiTop{sheet};
  TComboBox2 cmbSamplesMulti{pnlMultiTop};
  TMultiSample MultiSample{sheet};
  TPanel pnlMultiBottom{sheet};
  TLabel lblMultiMode{pnlMultiBottom, L"包含:"};
  TPanel pnlMultiMode{pnlMultiBottom};
  TRadioButton rbMultiSelected{pnlMultiMode, L"选定的字体(&T)", true};
  TRadioButton rbMultiAll{pnlMultiMode, L"所有已安装的字体(&L)"};
  TLabel lblMultiSize{pnlMultiBottom, L"大小(&Z):"};
  TEditSlider esMultiSize{pnlMultiBottom};
};

struct TCharactersPage {
  explicit TCharactersPage(TTabSheet& page) : sheet(page) {}
  TTabSheet& sheet;
  TCharMatrix CharMatrix{sheet};
  TPanel pnlCharactersBottom{sheet};
  TLabel lblColumns{pnlCharactersBottom, L"列数(&L):"};
  TEditSlider esColumns{pnlCharactersBottom};
  TCheckBox cbValues{pnlCharactersBottom, L"值(&U)"};
  TCheckBox cbChars{pnlCharactersBottom, L"字符(&R)"};
  TLabel lblCharactersSize{pnlCharactersBottom, L"大小(&Z):"};
  TEditSlider esCharactersSize{pnlCharactersBottom};
  // The Unicode mode: its switch and the face's blocks above the map; the
  // go-to box and the line of collected characters below it, in that mode only.
  TPanel pnlCharactersTop{sheet};
  TCheckBox cbUnicode{pnlCharactersTop, L"Unicode 全部字符(&Q)"};
  TLabel lblBlocks{pnlCharactersTop, L"区块(&K):"};
  TComboBox cmbBlocks{pnlCharactersTop, true};
  TPanel pnlUnicode{sheet};
  TLabel lblGoTo{pnlUnicode, L"转到(&G):"};
  TFilterBox edtGoTo{pnlUnicode};
  TLabel lblCollected{pnlUnicode, L"已收集(&J):"};
  TEdit2 edtCollected{pnlUnicode};
  TButton btnCopyCollected{pnlUnicode, L"复制(&Y)"};
  // The range of each entry of cmbBlocks.
  std::vector<std::pair<char32_t, char32_t>> blockRanges;
};

class TfrmVLMChild : public TMDIChild {
  // First of the members: their placements are laid out once, when the window is built.
  TAlignBatch FBuilding{*this};

 public:
  explicit TfrmVLMChild(TMDIFrame& frame);
  ~TfrmVLMChild() override;

  // The font list of the active navigation page, or null.
  TFontList* CurrentFontList();
  // The filter box of the current font list takes the focus.
  void FocusNameFilter();
  void SetFilter(TFontKinds filter);
  TFontKinds Filter() const { return FFilter; }
  void SetLoadedFonts(std::vector<std::string>* loadedFonts);
  void ApplyOptions();
  const std::string& TempFontFile() const { return FTempFontFile; }

  // Handlers, public so that the main window and the tests can run them as
  // the events do. `sender` is the control whose event ran it, or null.
  void pcNavChange(TControl* sender);
  void FontListChange();
  void CollectionsListChange(TControl* sender);
  void DirTreeChange(TControl* sender);
  void cbInclSubfoldersClick();
  void lblInclSubfoldersClick();
  void edtAddressExit();
  void UpdateCaption();
  void FormActivate();
  void FocusChange(TControl* sender);
  void EditSelectionChange(TControl* sender);
  void UpdatePasteCommands();
  void CollectionsListEnter();
  // The lists other than `list` are reloaded when their page is next shown.
  void MarkOtherListsStale(const TFontList* list);
  void RefreshWindow();

  TPanel bvlTopSpacer{*this};
  TPanel pnlNav{*this};
  TPageControl pcNav{pnlNav};
  TTabSheet tsNavInstalled{pcNav, L"已安装(&I)"};
  TFontList InstalledFontList{tsNavInstalled};
  TTabSheet tsNavCollections{pcNav, L"藏品(&C)"};
  TCollectionList CollectionsList{tsNavCollections};
  TSplitter CollectionsSplitter{tsNavCollections, alTop, 5};
  TFontList CollectionsFontList{tsNavCollections};
  TTabSheet tsNavBrowse{pcNav, L"浏览(&B)"};
  TPanel pnlBrowseTop{tsNavBrowse};
  TLabel lblAddress{pnlBrowseTop, L"地址(&D):"};
  TEdit2 edtAddress{pnlBrowseTop};
  TLabel lblInclSubfolders{pnlBrowseTop, L"包含子目录(&U)"};
  TCheckBox cbInclSubfolders{pnlBrowseTop, L""};
  TVxDirTree DirTree{tsNavBrowse};
  TSplitter BrowseSplitter{tsNavBrowse, alTop, 5};
  TFontList BrowseFontList{tsNavBrowse};
  TSplitter Splitter{*this, alLeft, 3};
  TPanel pnlView{*this};
  TPageControl pcView{pnlView};
  TTabSheet tsViewSample{pcView, L"样本(&S)"};
  TTabSheet tsViewMulti{pcView, L"多样式(&M)"};
  TTabSheet tsViewCharacters{pcView, L"字符(&A)"};
  TTabSheet tsViewFontInfo{pcView, L"字体信息(&O)"};
  TTabSheet tsViewNotes{pcView, L"备注(&N)"};
  TBrowseDirDlg BrowseDirDlg;

  // Opens another font window in the same frame (the frame's to set).
  std::function<TfrmVLMChild&()> OnNewWindow;

  // Commands of the popup menus; the main window's menus run them too.
  void pmFontListInstallClick();
  void pmFontListUninstallClick();
  void pmFontListLoadClick();
  void pmFontListUnloadClick();
  void pmFontListPrintClick();
  void pmFontListRenameClick();
  void pmFontListDeleteClick();
  void pmFontListCopyToFolderClick();
  void pmFontListPropertiesClick();
  void pmFontListCopyClick();
  void pmFontListPasteClick();
  void pmFontListSelectAllClick();
  void pmFontListInvertSelClick();
  void pmFontListPopup();
  // Fills the submenu of "add to collection" with one entry per collection.
  void pmFontListAddToCollPopup(TMenuItem& submenu);
  void pmFontListAddToCollClick(const std::string& collection);
  void FontListKeyDown(WORD& key, TShiftState shift);
  void pmCollectionsListInstallClick();
  void pmCollectionsListUninstallClick();
  void pmCollectionsListLoadClick();
  void pmCollectionsListUnloadClick();
  void pmCollectionsListPrintClick();
  void pmCollectionsListNewClick();
  void pmCollectionsListRenameClick();
  void pmCollectionsListDeleteClick();
  void pmCollectionsListPasteClick();
  void pmDirTreeNewWindowHereClick();
  void pmDirTreePasteClick();
  // `sender` is the entry that ran it: the popup's own, or the main menu's.
  void EditCommand(const TMenuItem* sender, UINT message);
  void pmEditBoxSelectAllClick(const TMenuItem* sender);
  void pmEditBoxPopup();
  void pmEditBoxAddTextSampleClick();
  // Font lists dragged onto the window's controls, from this window or another.
  bool FontListDragOver(TFontList& target, TControl& source);
  void FontListDragDrop(TFontList& target, TControl& source);
  bool CollectionsListDragOver(TControl& source);
  void CollectionsListDragDrop(TControl& source, TPoint point);
  bool DirTreeDragOver(TControl& source, TPoint point);
  void DirTreeDragDrop(TControl& source, TPoint point);
  bool edtAddressDragOver(TControl& source);
  void edtAddressDragDrop(TControl& source);
  // Files dropped from the shell or pasted.
  void FontListDropFiles(const std::vector<std::string>& files);
  void CollectionsListDropFiles(const std::vector<std::string>& files, TPoint point);
  void DirTreeDropFiles(const std::vector<std::string>& files, const std::string& folder);
  void fdhAddressDropFiles(const std::vector<std::string>& files);
  // Into `target` (with its "\"): a folder a list shows adds them itself,
  // the fonts folder installs them.
  void CopyFontFiles(const std::vector<std::string>& files, const std::string& target);
  void CollectionAddFromFontList(TFontList& list, const std::string& collection);

  // ---- View pages (VLMChildView.cpp) ----------------------------------------
  void pcViewChange();
  void cmbSamplesChange();
  void memSampleChange();
  void esSampleSizeChange();
  void cmbSamplesMultiChange();
  void esMultiSizeChange();
  void rbMultiClick();
  void MultiSampleClick();
  void FontListSelectionChange();
  void tmrFontSelChangeTimer();
  void CharMatrixResize();
  void esColumnsChange();
  void esCharactersSizeChange();
  void cbValuesClick();
  void cbCharsClick();
  void memNotesExit();
  void pmCharMatrixZoomInClick();
  void cbUnicodeClick();
  void cmbBlocksSelect();
  void edtGoToLeave();
  void btnCopyCollectedClick();
  void CharMatrixCollect(char32_t c);
  void pmCharMatrixCopyClick();
  void pmCharMatrixCollectClick();
  // After an operation changed the current list.
  void RefreshMultiSampleAll();
  // The label column of the view pages' bottom panels.
  int LabelColumnWidth() const { return FLabelWidth; }
  // The face memSample draws in (ANSI).
  const std::string& SampleFontName() const { return FSampleFace.name; }

  TPanel pnlSampleTop{tsViewSample};
  TComboBox2 cmbSamples{pnlSampleTop};
  TPanel pnlSampleBottom{tsViewSample};
  TLabel lblSampleSize{pnlSampleBottom, L"大小(&Z):"};
  TEditSlider esSampleSize{pnlSampleBottom};
  TMemo2 memSample{tsViewSample};

  // The multi-sample and character pages are made when first asked for (by
  // showing them, or from outside): a window most often shows neither, and
  // their thirty windows were a fifth of what a new font window cost.
  TMultiSamplePage& Multi();
  TCharactersPage& Characters();
  bool HasMultiPage() const { return FMultiPage != nullptr; }
  bool HasCharactersPage() const { return FCharactersPage != nullptr; }

  TFontInfoPanel FontInfo{tsViewFontInfo};
  TFontNote memNotes{tsViewNotes};

  // Coalesces a burst of selection changes into one rebuild of the multi-sample view.
  TTimer tmrFontSelChange{150, false};

  // Files dropped from the shell; the commands that take them attach OnDropFiles.
  TFileDropHelper fdhInstalledFontList{InstalledFontList.ListView()};
  TFileDropHelper fdhCollectionsFontList{CollectionsFontList.ListView()};
  TFileDropHelper fdhBrowseFontList{BrowseFontList.ListView()};
  TFileDropHelper fdhCollectionsList{CollectionsList};
  TFileDropHelper fdhAddress{edtAddress};
  // The tree takes files too: they go into the folder under the drop point.
  TFileDropHelper fdhDirTree{DirTree.Tree()};
  // ---------------------------------------------------------------------------

  // The popup menus; their commands are the window's command handlers.
  TPopupMenu pmFontList;
  TMenuItem& pmFontListInstall = pmFontList.Items().Add({L"安装(&I)", {'I', ssCtrl}});
  TMenuItem& pmFontListUninstall = pmFontList.Items().Add({L"反安装(&U)", {'U', ssCtrl}});
  TMenuItem& pmFontListLoad = pmFontList.Items().Add(L"载入(&L)");
  TMenuItem& pmFontListUnload = pmFontList.Items().Add(L"反载入(&N)");
  TMenuItem& pmFontListPrint = pmFontList.Items().Add({L"打印(&P)", {'P', ssCtrl}});
  TMenuItem& pmFontListSep1 = pmFontList.Items().AddSeparator();
  TMenuItem& pmFontListRename = pmFontList.Items().Add({L"重命名(&M)...", {VK_F2, 0}});
  TMenuItem& pmFontListDelete = pmFontList.Items().Add({L"删除(&D)", {VK_DELETE, 0}});
  TMenuItem& pmFontListSep2 = pmFontList.Items().AddSeparator();
  TMenuItem& pmFontListAddToColl = pmFontList.Items().Add(L"添加到藏品(&O)");
  TMenuItem& pmFontListCopyToFolder = pmFontList.Items().Add(L"复制到文件夹(&F)...");
  TMenuItem& pmFontListSep3 = pmFontList.Items().AddSeparator();
  TMenuItem& pmFontListCut = pmFontList.Items().Add({L"剪切(&T)", {'X', ssCtrl}});
  TMenuItem& pmFontListCopy = pmFontList.Items().Add({L"复制(&C)", {'C', ssCtrl}});
  TMenuItem& pmFontListPaste = pmFontList.Items().Add({L"粘贴(&P)", {'V', ssCtrl}});
  TMenuItem& pmFontListSep4 = pmFontList.Items().AddSeparator();
  TMenuItem& pmFontListSelectAll = pmFontList.Items().Add({L"全选(&A)", {'A', ssCtrl}});
  TMenuItem& pmFontListInvertSel = pmFontList.Items().Add(L"转换选定状态(&I)");
  TMenuItem& pmFontListSep5 = pmFontList.Items().AddSeparator();
  TMenuItem& pmFontListProperties = pmFontList.Items().Add(L"属性(&R)");

  TPopupMenu pmCollectionsList;
  TMenuItem& pmCollectionsListInstall = pmCollectionsList.Items().Add({L"安装藏品(&I)", {'I', ssCtrl}});
  TMenuItem& pmCollectionsListUninstall =
      pmCollectionsList.Items().Add({L"反安装藏品(&U)", {'U', ssCtrl}});
  TMenuItem& pmCollectionsListLoad = pmCollectionsList.Items().Add(L"载入藏品(&L)");
  TMenuItem& pmCollectionsListUnload = pmCollectionsList.Items().Add(L"反载入藏品(&O)");
  TMenuItem& pmCollectionsListPrint = pmCollectionsList.Items().Add({L"打印藏品(&T)", {'P', ssCtrl}});
  TMenuItem& pmCollectionsListSep1 = pmCollectionsList.Items().AddSeparator();
  TMenuItem& pmCollectionsListNew = pmCollectionsList.Items().Add({L"新建(&N)", {VK_INSERT, 0}});
  TMenuItem& pmCollectionsListRename = pmCollectionsList.Items().Add({L"重命名(&M)", {VK_F2, 0}});
  TMenuItem& pmCollectionsListDelete = pmCollectionsList.Items().Add({L"删除(&D)", {VK_DELETE, 0}});
  TMenuItem& pmCollectionsListSep2 = pmCollectionsList.Items().AddSeparator();
  TMenuItem& pmCollectionsListPaste = pmCollectionsList.Items().Add({L"粘贴(&P)", {'V', ssCtrl}});

  TPopupMenu pmDirTree;
  TMenuItem& pmDirTreeNewWindowHere = pmDirTree.Items().Add(L"在这里新建字体窗口(&N)");
  TMenuItem& pmDirTreeSep1 = pmDirTree.Items().AddSeparator();
  TMenuItem& pmDirTreePaste = pmDirTree.Items().Add({L"粘贴(&P)", {'V', ssCtrl}});

  TPopupMenu pmEditBox;
  TMenuItem& pmEditBoxUndo = pmEditBox.Items().Add({L"撤消(&U)", {'Z', ssCtrl}});
  TMenuItem& pmEditBoxSep1 = pmEditBox.Items().AddSeparator();
  TMenuItem& pmEditBoxCut = pmEditBox.Items().Add({L"剪切(&T)", {'X', ssCtrl}});
  TMenuItem& pmEditBoxCopy = pmEditBox.Items().Add({L"复制(&C)", {'C', ssCtrl}});
  TMenuItem& pmEditBoxPaste = pmEditBox.Items().Add({L"粘贴(&P)", {'V', ssCtrl}});
  TMenuItem& pmEditBoxDelete = pmEditBox.Items().Add(L"删除(&D)");
  TMenuItem& pmEditBoxSep2 = pmEditBox.Items().AddSeparator();
  TMenuItem& pmEditBoxAddTextSample = pmEditBox.Items().Add(L"添加为文字样本(&S)");
  TMenuItem& pmEditBoxSep3 = pmEditBox.Items().AddSeparator();
  TMenuItem& pmEditBoxSelectAll = pmEditBox.Items().Add({L"全选(&A)", {'A', ssCtrl}});

  TPopupMenu pmCharMatrix;
  TMenuItem& pmCharMatrixZoomIn = pmCharMatrix.Items().Add(L"放大(&Z)");
  // The Unicode mode's.
  TMenuItem& pmCharMatrixCopy = pmCharMatrix.Items().Add({L"复制(&C)", {'C', ssCtrl}});
  TMenuItem& pmCharMatrixCollect = pmCharMatrix.Items().Add(L"收集(&J)");

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void DestroyHandle() override;

 private:
  void FormCreate();
  void BindCommands();
  void UpdateFontListCommands(TFontList& list, const TFontFileInfo* record);
  void Notify(UINT message, bool post);
  void FormShow();
  void FormCloseQuery();
  void pnlBrowseTopResize();
  void tsNavCollectionsResize();
  void AddTempFont(const std::string& fileName);
  void RemoveTempFont();
  bool IsLoaded(const std::string& fileName) const;
  TFontList* FocusedFontList();
  // Runs a list operation on every record of the selected collection, then refreshes.
  using TCollectionAction = std::function<void(TFontListOps&, const std::vector<TFontFileInfo*>&)>;
  void CollectionCommand(const TCollectionAction& action);
  HWND EditTarget(const TMenuItem* sender);

  // View pages (VLMChildView.cpp).
  void CreateViewPages();
  // Focus, selection and menu reports of a view page's controls.
  void BindEditReports(TComboBox2& combo);
  void BindEditReports(TEditSlider& slider);
  void BindFocusReports(std::initializer_list<TControl*> controls);
  void SetUpMultiPage(TMultiSamplePage& page);
  void SetUpCharactersPage(TCharactersPage& page);
  void SetUpUnicodeControls(TCharactersPage& page);
  void UnicodeModeChanged();
  void CharMatrixCodePointsChange();
  void CharMatrixSelectionChange();
  void pnlCharactersTopResize();
  void pnlUnicodeResize();
  void ApplyViewOptions();
  void ApplyMultiPageOptions();
  // The caption of the "all fonts" mode, which names what the current list shows.
  const wchar_t* MultiAllCaption() const;
  // What a list change gives the view pages: the selected record, or null.
  void ShowRecordInViews(TFontFileInfo* record);
  void CollectSelectedFonts();
  void SetSampleFont(const TFontFileInfo::TDrawnFace& face, int points);
  void SetNotesFontSize(int points);
  void pnlSampleTopResize();
  void pnlSampleBottomResize();
  void pnlMultiTopResize();
  void pnlMultiBottomResize();
  void pnlCharactersBottomResize();
  bool ViewPageShowing(const TTabSheet& page) const;
  // The face the character map shows, kept while the page is not made.
  TFontFileInfo::TDrawnFace FCharactersDrawn;
  // The file and face of the font the character map shows.
  std::string FCharactersFile;
  uint32_t FCharactersFace = 0;
  TFontHandle FSampleFont;
  TFontHandle FNotesFont;
  TFontFileInfo::TDrawnFace FSampleFace;
  int FLabelWidth = 0;
  bool FDestroying = false;

  std::unique_ptr<TVLMOptions> FOptions;
  // Prints a whole collection; never shown, made with the first such print.
  std::unique_ptr<TFontList> FPrintList;
  // The fonts selected in the current list, for the multi-sample view.
  TFontFileList FSelectedFonts;
  std::string FTempFontFile;
  // Whether the system took FTempFontFile: only then is there a reference to give back.
  bool FTempFontAdded = false;
  bool FInstalledStale = false;
  bool FCollectionsStale = false;
  bool FBrowseStale = false;
  TFontKinds FFilter = kAllFontKinds;
  std::vector<std::string>* FLoadedFonts = nullptr;
  HWND FNextClipboardViewer = nullptr;
  // Last, so that they go before the lists their views show.
  std::unique_ptr<TMultiSamplePage> FMultiPage;
  std::unique_ptr<TCharactersPage> FCharactersPage;
};
