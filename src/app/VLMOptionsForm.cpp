#include "app/VLMOptionsForm.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "app/VLMHelp.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/Dpi.h"

namespace {

// Pixels at 96 dpi.
constexpr int kClientWidth = 454;
constexpr int kClientHeight = 318;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kLabelLeft = 16;    // labels under a heading are indented
constexpr int kEditLeft = 104;    // the edit boxes' column, the same on every page
constexpr int kEditHeight = 21;
constexpr int kRowHeight = 30;
constexpr int kFirstRowTop = 34;  // below a heading at the page's top
constexpr int kColourWidth = 150;
constexpr int kSizeWidth = 40;
constexpr int kSampleMemoHeight = 60;
constexpr int kDroppedHeight = 400;  // room for every entry, custom ones too
constexpr wchar_t kNewSample[] = L"<new>";
constexpr wchar_t kBrowseTitle[] = L"选择你希望的文件夹去存储%";

// A label left of its control, the two centred on one line; in pixels at the
// dialog's dpi.
void PlaceRow(TLabel& label, TControl& control, int top, int width, int height) {
  const ui::TScale px(label);
  control.SetBounds(px(kEditLeft), top, width, height);
  label.AutoSize();
  label.SetBounds(px(kLabelLeft), top + (std::min(height, px(kEditHeight + 1)) - label.Height()) / 2,
                  label.Width(), label.Height());
  label.SetFocusControl(&control);
}

// A bold heading followed by an etched line up to the page's right margin.
void PlaceHeading(TLabel& heading, TPanel& line, int top, int pageWidth) {
  const ui::TScale px(heading);
  heading.SetFont(ui::SongBoldFont(px.Dpi()));
  heading.AutoSize();
  heading.SetBounds(px(kMargin), top, heading.Width(), heading.Height());
  line.SetBevelOuter(bvLowered);
  const int left = heading.Left() + heading.Width() + px(2);
  line.SetBounds(left, top + heading.Height() / 2, pageWidth - px(kMargin) - left, px(2));
}

}  // namespace

TfrmVLMOptions::TfrmVLMOptions(const TControl& owner)
    : TDialog(&owner, L"选项", kClientWidth, kClientHeight) {
  SetFont(ui::SongFont(Dpi()));
  KeyPreview = true;
  PlaceControls();
  ConnectEvents();
  FormCreate(owner);
}

void TfrmVLMOptions::PlaceControls() {
  const ui::TScale px(*this);
  const int buttonsTop = px(kClientHeight) - px(kMargin) - px(kButtonHeight);
  pcOptions.SetBounds(px(kMargin), px(kMargin), px(kClientWidth) - 2 * px(kMargin), buttonsTop - 2 * px(kMargin));
  int left = px(kClientWidth) - px(kMargin) - 3 * px(kButtonWidth) - 2 * px(kButtonGap);
  for (TButton* button : {&btnOK, &btnCancel, &btnHelp}) {
    button->SetBounds(left, buttonsTop, px(kButtonWidth), px(kButtonHeight));
    left += px(kButtonWidth) + px(kButtonGap);
  }
  btnOK.SetDefault(true);
  btnOK.ModalResult = mrOK;
  btnCancel.SetCancel(true);
  btnCancel.ModalResult = mrCancel;

  const int pageWidth = tsGeneral.ClientWidth();
  const int pageHeight = tsGeneral.ClientHeight();
  const int rightColumn = pageWidth - px(kMargin) - px(kButtonWidth);

  PlaceHeading(lblFolders, bvlFolders, px(kMargin + 2), pageWidth);
  const int folderWidth = rightColumn - px(kButtonGap) - px(kEditLeft);
  int top = px(kFirstRowTop);
  for (auto [label, edit, button] :
       {std::tuple{&lblCollectionsFolder, &edtCollectionsFolder, &btnCollectionsFolder},
        std::tuple{&lblNotesFolder, &edtNotesFolder, &btnNotesFolder}}) {
    PlaceRow(*label, *edit, top, folderWidth, px(kEditHeight));
    button->SetBounds(rightColumn, top - px(2), px(kButtonWidth), px(kButtonHeight));
    button->SetTabStop(false);
    top += px(kRowHeight);
  }
  cbTrueTypeOnly.SetBounds(px(kEditLeft), top, folderWidth, px(kEditHeight));
  cbInstallForUser.SetBounds(px(kEditLeft), top + px(kEditHeight + 4), folderWidth, px(kEditHeight));

  PlaceHeading(lblColours, bvlColours, px(kMargin + 2), pageWidth);
  top = px(kFirstRowTop);
  for (auto [label, combo] : {std::pair{&lblFontColor, &rccFontColor}, std::pair{&lblFontBgColor, &rccFontBgColor},
                              std::pair{&lblFontInfoColor, &rccFontInfoColor}}) {
    // A combo box's height is its dropped list's; the field is as high as its rows.
    PlaceRow(*label, *combo, top, px(kColourWidth), px(kDroppedHeight));
    top += px(kRowHeight);
  }
  PlaceHeading(lblNotes, bvlNotes, top + px(6), pageWidth);
  top += px(6 + kFirstRowTop - kMargin - 2);
  PlaceRow(lblNotesSize, medNotesSize, top, px(kSizeWidth), px(kEditHeight));

  PlaceHeading(lblSampleSheet, bvlSampleSheet, px(kMargin + 2), pageWidth);
  PlaceRow(lblSampleSize, medSampleSize, px(kFirstRowTop), px(kSizeWidth), px(kEditHeight));
  top = px(kFirstRowTop) + px(kRowHeight);
  PlaceRow(lblSampleText, memSampleText, top, pageWidth - px(kMargin) - px(kEditLeft), pageHeight - px(kMargin) - top);
  lblSampleText.SetTop(top + px(3));  // level with the memo's first line
  for (TEdit* size : {&medNotesSize, &medSampleSize}) {
    size->SetNumbersOnly(true);
    size->SetMaxLength(3);
  }

  const int memoTop = pageHeight - px(kMargin) - px(kSampleMemoHeight);
  lvSamples.SetBounds(px(kMargin), px(kMargin), rightColumn - px(kButtonGap) - px(kMargin), memoTop - 2 * px(kMargin));
  lvSamples.AddColumn(L"Sample Text", px(320));
  top = px(kMargin);
  for (TButton* button : {&btnSampleAdd, &btnSampleDelete, &btnSampleUp, &btnSampleDown, &btnSampleSort}) {
    button->SetBounds(rightColumn, top, px(kButtonWidth), px(kButtonHeight));
    top += px(kButtonHeight) + px(kButtonGap);
  }
  memSample.SetBounds(px(kMargin), memoTop, pageWidth - 2 * px(kMargin), px(kSampleMemoHeight));
}

void TfrmVLMOptions::ConnectEvents() {
  OnShow = [this] { FormShow(); };
  OnKeyDown = [this](WORD& key, TShiftState shift) {
    if (key == VK_TAB && (shift & ssCtrl) && !(shift & ssAlt)) {
      // Ctrl+Tab and Ctrl+Shift+Tab page through the tabs, as in every tabbed dialog.
      const int count = pcOptions.PageCount();
      const int step = (shift & ssShift) ? count - 1 : 1;
      pcOptions.SelectPage(&pcOptions.Pages((pcOptions.ActivePageIndex() + step) % count));
      key = 0;
    }
  };
  pcOptions.OnChange = [this] { pcOptionsChange(); };
  btnCollectionsFolder.OnClick = [this] { BrowseClick(&btnCollectionsFolder); };
  btnNotesFolder.OnClick = [this] { BrowseClick(&btnNotesFolder); };
  lvSamples.OnSelectItem = [this](int item, bool selected) { lvSamplesSelectItem(item, selected); };
  lvSamples.OnKeyDown = [this](WORD& key, TShiftState shift) { lvSamplesKeyDown(key, shift); };
  btnSampleAdd.OnClick = [this] { btnSampleAddClick(); };
  btnSampleDelete.OnClick = [this] { btnSampleDeleteClick(); };
  btnSampleUp.OnClick = [this] { btnSampleUpClick(); };
  btnSampleDown.OnClick = [this] { btnSampleDownClick(); };
  btnSampleSort.OnClick = [this] { btnSampleSortClick(); };
  memSample.OnChange = [this] { memSampleChange(); };
  btnHelp.OnClick = [this] { btnHelpClick(); };
  btnOK.OnClick = [this] { btnOKClick(); };
  ShowHelpOnF1(*this, kHelpContext);
}

void TfrmVLMOptions::FormCreate(const TControl& owner) {
  if (dynamic_cast<const TForm*>(&owner)) CenterOn(owner);
  edtCollectionsFolder.SetText(sys::Widen(FOptions.CollectionsFolder()));
  edtNotesFolder.SetText(sys::Widen(FOptions.NotesFolder()));
  cbTrueTypeOnly.SetChecked(FOptions.TrueTypeOnly());
  cbInstallForUser.SetChecked(FOptions.InstallForUser());
  rccFontColor.SetColour(FOptions.FontColour());
  rccFontBgColor.SetColour(FOptions.FontBackgroundColour());
  rccFontInfoColor.SetColour(FOptions.FontInformationColour());
  medNotesSize.SetText(std::to_wstring(FOptions.NotesFontSize()));
  medSampleSize.SetText(std::to_wstring(FOptions.SampleSheetFontSize()));
  memSampleText.SetText(sys::Widen(FOptions.SampleSheetText()));
  lvSamples.BeginUpdate();
  lvSamples.Clear();
  for (const std::string& text : FOptions.SampleTexts()) lvSamples.AddItem(sys::Widen(text));
  lvSamples.EndUpdate();
  if (lvSamples.ItemCount() > 0) lvSamples.SetItemIndex(0);
  UpdateSampleButtons();
}

void TfrmVLMOptions::FormShow() {
  pcOptions.SetActivePage(&tsGeneral);
  edtCollectionsFolder.SetFocus();
}

void TfrmVLMOptions::pcOptionsChange() {
  const TTabSheet* page = pcOptions.ActivePage();
  if (page == &tsGeneral) {
    edtCollectionsFolder.SetFocus();
  } else if (page == &tsPrinting) {
    medSampleSize.SetFocus();
  } else if (page == &tsTextSamples) {
    lvSamples.SetFocus();
  }
}

void TfrmVLMOptions::BrowseClick(const TControl* sender) {
  TEdit* edit = nullptr;
  const TLabel* label = nullptr;
  if (sender == &btnCollectionsFolder) {
    edit = &edtCollectionsFolder;
    label = &lblCollectionsFolder;
  } else if (sender == &btnNotesFolder) {
    edit = &edtNotesFolder;
    label = &lblNotesFolder;
  } else {
    return;
  }
  std::string caption = LowerAscii(StripAmpersand(sys::Narrow(label->Text())));
  const std::string name = SplitAt(caption, " ");
  BrowseDirDlg.Title = ReplacePercent(kBrowseTitle, sys::Widen(name));
  BrowseDirDlg.Folder = sys::Narrow(edit->Text());
  if (BrowseDirDlg.Execute(this)) edit->SetText(sys::Widen(IncludeTrailingBackslash(BrowseDirDlg.Folder)));
}

void TfrmVLMOptions::lvSamplesSelectItem(int item, bool selected) {
  UpdateSampleButtons();
  if (selected && item >= 0) memSample.SetText(lvSamples.ItemText(item));
}

void TfrmVLMOptions::lvSamplesKeyDown(WORD& key, TShiftState shift) {
  if (shift == 0 && key == VK_INSERT) {
    btnSampleAddClick();
  } else if (shift == 0 && key == VK_DELETE) {
    btnSampleDeleteClick();
  } else if (shift == ssCtrl && key == VK_UP) {
    btnSampleUpClick();
  } else if (shift == ssCtrl && key == VK_DOWN) {
    btnSampleDownClick();
  } else {
    return;
  }
  key = 0;
}

void TfrmVLMOptions::btnSampleAddClick() {
  const int row = lvSamples.AddItem(kNewSample);
  lvSamples.SetItemIndex(row);
  lvSamples.MakeVisible(row);
  memSample.SetFocus();
  // Typing replaces the placeholder.
  memSample.SelectAll();
}

void TfrmVLMOptions::btnSampleDeleteClick() {
  const int row = lvSamples.ItemIndex();
  if (row < 0) return;
  memSample.SetText(L"");
  lvSamples.DeleteItem(row);
  lvSamples.SetFocus();
  const int focused = lvSamples.FocusedItem();
  if (focused >= 0) lvSamples.SetItemIndex(focused);
  UpdateSampleButtons();
}

void TfrmVLMOptions::btnSampleUpClick() { MoveSample(-1); }

void TfrmVLMOptions::btnSampleDownClick() { MoveSample(1); }

void TfrmVLMOptions::MoveSample(int step) {
  const int row = lvSamples.ItemIndex();
  const int other = row + step;
  if (row < 0 || other < 0 || other >= lvSamples.ItemCount()) return;
  const std::wstring moving = lvSamples.ItemText(row);
  lvSamples.SetItemText(row, 0, lvSamples.ItemText(other));
  lvSamples.SetItemText(other, 0, moving);
  lvSamples.SetItemIndex(other);
  lvSamples.MakeVisible(other);
}

void TfrmVLMOptions::btnSampleSortClick() {
  // The rows with their places, so that the selected row stays selected.
  std::vector<std::pair<std::string, int>> rows;
  for (int i = 0; i < lvSamples.ItemCount(); ++i) rows.emplace_back(sys::Narrow(lvSamples.ItemText(i)), i);
  sys::Backend& os = sys::Current();
  std::stable_sort(rows.begin(), rows.end(),
                   [&os](const auto& a, const auto& b) { return os.CompareText(a.first, b.first) < 0; });
  const int selected = lvSamples.ItemIndex();
  for (size_t i = 0; i < rows.size(); ++i) lvSamples.SetItemText(static_cast<int>(i), 0, sys::Widen(rows[i].first));
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].second == selected && static_cast<int>(i) != selected) {
      lvSamples.SetItemIndex(static_cast<int>(i));
      lvSamples.MakeVisible(static_cast<int>(i));
    }
  }
  if (selected >= 0) memSample.SetText(lvSamples.ItemText(lvSamples.ItemIndex()));
}

void TfrmVLMOptions::memSampleChange() {
  const int row = lvSamples.ItemIndex();
  if (row >= 0) lvSamples.SetItemText(row, 0, memSample.Text());
}

void TfrmVLMOptions::btnHelpClick() { ShowHelpContext(kHelpContext); }

void TfrmVLMOptions::btnOKClick() {
  FOptions.SetCollectionsFolder(sys::Narrow(edtCollectionsFolder.Text()));
  FOptions.SetNotesFolder(sys::Narrow(edtNotesFolder.Text()));
  FOptions.SetTrueTypeOnly(cbTrueTypeOnly.Checked());
  FOptions.SetInstallForUser(cbInstallForUser.Checked());
  FOptions.SetFontColour(rccFontColor.Colour());
  FOptions.SetFontBackgroundColour(rccFontBgColor.Colour());
  FOptions.SetFontInformationColour(rccFontInfoColor.Colour());
  FOptions.SetNotesFontSize(ParseDecimalOr(sys::Narrow(medNotesSize.Text()), FOptions.NotesFontSize()));
  FOptions.SetSampleSheetFontSize(
      ParseDecimalOr(sys::Narrow(medSampleSize.Text()), FOptions.SampleSheetFontSize()));
  FOptions.SetSampleSheetText(sys::Narrow(memSampleText.Text()));
  std::vector<std::string>& samples = FOptions.SampleTexts();
  samples.clear();
  for (int i = 0; i < lvSamples.ItemCount(); ++i) samples.push_back(sys::Narrow(lvSamples.ItemText(i)));
  FOptions.Save();
}

void TfrmVLMOptions::UpdateSampleButtons() {
  const int row = lvSamples.ItemIndex();
  const int count = lvSamples.ItemCount();
  const std::pair<TButton*, bool> states[] = {
      {&btnSampleDelete, row >= 0}, {&btnSampleUp, row > 0}, {&btnSampleDown, row >= 0 && row < count - 1}};
  for (const auto& [button, enabled] : states) {
    // A button that goes grey with the focus would leave the keyboard nowhere.
    if (!enabled && button->Focused()) lvSamples.SetFocus();
    button->SetEnabled(enabled);
  }
}
