// The options dialog: edits a private copy of the settings, read when the
// dialog is made and saved only when the user presses OK.
//   auto dialog = std::make_unique<TfrmVLMOptions>(*this);
//   if (dialog->ShowModal() == mrOK) ApplyOptionsToAll();
#pragma once

#include <string>

#include "app/HelpContexts.h"
#include "data/VLMOptions.h"
#include "ui/Controls.h"
#include "views/SelectionEdit.h"
#include "widgets/BrowseDirDlg.h"
#include "widgets/ColorCombo.h"

class TfrmVLMOptions : public TDialog {
 public:
  static constexpr int kHelpContext = IDH_OPTIONS;

  // Centred over `owner`.
  explicit TfrmVLMOptions(const TControl& owner);

  const TVLMOptions& Options() const { return FOptions; }

  // Handlers, public so that tests can run them as their events do.
  void pcOptionsChange();
  // `sender`: one of the two browse buttons; any other control does nothing.
  void BrowseClick(const TControl* sender);
  void lvSamplesSelectItem(int item, bool selected);
  void lvSamplesKeyDown(WORD& key, TShiftState shift);
  void btnSampleAddClick();
  void btnSampleDeleteClick();
  void btnSampleUpClick();
  void btnSampleDownClick();
  void btnSampleSortClick();
  void memSampleChange();
  void btnHelpClick();
  void btnOKClick();

  TPageControl pcOptions{*this};
  TTabSheet tsGeneral{pcOptions, L"常规"};
  TLabel lblFolders{tsGeneral, L"文件夹 "};
  TPanel bvlFolders{tsGeneral};
  TLabel lblCollectionsFolder{tsGeneral, L"藏品(&C):"};
  TEdit2 edtCollectionsFolder{tsGeneral};
  TButton btnCollectionsFolder{tsGeneral, L"浏览(&R)..."};
  TLabel lblNotesFolder{tsGeneral, L"备注(&N):"};
  TEdit2 edtNotesFolder{tsGeneral};
  TButton btnNotesFolder{tsGeneral, L"浏览(&W)..."};
  TCheckBox cbTrueTypeOnly{tsGeneral, L"浏览文件夹时只列出 .TTF 文件(&T)"};
  TCheckBox cbInstallForUser{tsGeneral, L"安装字体时只为当前用户安装(&U)"};

  TTabSheet TabSheet1{pcOptions, L"外观"};
  TLabel lblColours{TabSheet1, L"颜色 "};
  TPanel bvlColours{TabSheet1};
  TLabel lblFontColor{TabSheet1, L"字体(&F):"};
  TColorComboBox rccFontColor{TabSheet1};
  TLabel lblFontBgColor{TabSheet1, L"背景(&B):"};
  TColorComboBox rccFontBgColor{TabSheet1};
  TLabel lblFontInfoColor{TabSheet1, L"额外信息(&E):"};
  TColorComboBox rccFontInfoColor{TabSheet1};
  TLabel lblNotes{TabSheet1, L"备注 "};
  TPanel bvlNotes{TabSheet1};
  TLabel lblNotesSize{TabSheet1, L"字体大小(&Z):"};
  TEdit medNotesSize{TabSheet1};

  TTabSheet tsPrinting{pcOptions, L"打印"};
  TLabel lblSampleSheet{tsPrinting, L"样本页 "};
  TPanel bvlSampleSheet{tsPrinting};
  TLabel lblSampleSize{tsPrinting, L"字体大小(&Z):"};
  TEdit medSampleSize{tsPrinting};
  TLabel lblSampleText{tsPrinting, L"样本文字(&S):"};
  TMemo2 memSampleText{tsPrinting};

  TTabSheet tsTextSamples{pcOptions, L"文字样本"};
  TListView lvSamples{tsTextSamples, TListViewOptions{.multiSelect = false,
                                                      .showColumnHeaders = false,
                                                      .hideSelection = false}};
  TButton btnSampleAdd{tsTextSamples, L"添加(&A)"};
  TButton btnSampleDelete{tsTextSamples, L"删除(&D)"};
  TButton btnSampleUp{tsTextSamples, L"上移(&U)"};
  TButton btnSampleDown{tsTextSamples, L"下移(&D)"};
  TButton btnSampleSort{tsTextSamples, L"排序(&S)"};
  TMemo memSample{tsTextSamples};

  TButton btnOK{*this, L"确定(&O)"};
  TButton btnCancel{*this, L"取消"};
  TButton btnHelp{*this, L"帮助(&H)"};

  TBrowseDirDlg BrowseDirDlg;

 private:
  void PlaceControls();
  void ConnectEvents();
  void FormCreate(const TControl& owner);
  void FormShow();
  void UpdateSampleButtons();
  // Exchanges the selected row's caption with the row `step` away and selects that one.
  void MoveSample(int step);

  TVLMOptions FOptions;
};
