// TfrmVLMChild: the font window. Its left half navigates (installed fonts,
// collections, folders), its right half views the chosen fonts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/FontKind.h"
#include "data/VLMOptions.h"
#include "lists/CollectionList.h"
#include "lists/FontList.h"
#include "ui/Controls.h"
#include "widgets/DirTree.h"

class TfrmVLMChild : public TMDIChild {
 public:
  explicit TfrmVLMChild(TMDIFrame& frame);
  ~TfrmVLMChild() override;

  // The font list of the active navigation page, or null.
  TFontList* CurrentFontList();
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
  TEdit edtAddress{pnlBrowseTop};
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

 private:
  void FormCreate();
  void FormShow();
  void pnlBrowseTopResize();
  void tsNavCollectionsResize();
  void AddTempFont(const std::string& fileName);
  void RemoveTempFont();
  bool IsLoaded(const std::string& fileName) const;

  std::unique_ptr<TVLMOptions> FOptions;
  std::string FTempFontFile;
  bool FInstalledStale = false;
  bool FCollectionsStale = false;
  bool FBrowseStale = false;
  TFontKinds FFilter = kAllFontKinds;
  std::vector<std::string>* FLoadedFonts = nullptr;
};
