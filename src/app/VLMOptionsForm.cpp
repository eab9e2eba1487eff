#include "app/VLMOptionsForm.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "app/VLMHelp.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

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

// A label left of its control, the two centred on one line.
void PlaceRow(TLabel& label, TControl& control, int top, int width, int height = kEditHeight) {
  control.SetBounds(kEditLeft, top, width, height);
  label.AutoSize();
  label.SetBounds(kLabelLeft, top + (std::min(height, kEditHeight + 1) - label.Height()) / 2,
                  label.Width(), label.Height());
  label.SetFocusControl(&control);
}

// A bold heading followed by an etched line up to the page's right margin.
void PlaceHeading(TLabel& heading, TPanel& line, int top, int pageWidth) {
  heading.SetFont(ui::SongBoldFont());
  heading.AutoSize();
  heading.SetBounds(kMargin, top, heading.Width(), heading.Height());
  line.SetBevelOuter(bvLowered);
  const int left = heading.Left() + heading.Width() + 2;
  line.SetBounds(left, top + heading.Height() / 2, pageWidth - kMargin - left, 2);
}

}  // namespace

TfrmVLMOptions::TfrmVLMOptions(const TControl& owner)
    : TDialog(&owner, L"选项", kClientWidth, kClientHeight) {
  SetFont(ui::SongFont());
  KeyPreview = true;
  PlaceControls();
  ConnectEvents();
  FormCreate(owner);
}

void TfrmVLMOptions::PlaceControls() {
  const int buttonsTop = kClientHeight - kMargin - kButtonHeight;
  pcOptions.SetBounds(kMargin, kMargin, kClientWidth - 2 * kMargin, buttonsTop - 2 * kMargin);
  int left = kClientWidth - kMargin - 3 * kButtonWidth - 2 * kButtonGap;
  for (TButton* button : {&btnOK, &btnCancel, &btnHelp}) {
    button->SetBounds(left, buttonsTop, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kButtonGap;
  }
  btnOK.SetDefault(true);
  btnOK.ModalResult = mrOK;
  btnCancel.SetCancel(true);
  btnCancel.ModalResult = mrCancel;

  const int pageWidth = tsGeneral.ClientWidth();
  const int pageHeight = tsGeneral.ClientHeight();
  const int rightColumn = pageWidth - kMargin - kButtonWidth;

  PlaceHeading(lblFolders, bvlFolders, kMargin + 2, pageWidth);
  const int folderWidth = rightColumn - kButtonGap - kEditLeft;
  int top = kFirstRowTop;
  for (auto [label, edit, button] :
       {std::tuple{&lblCollectionsFolder, &edtCollectionsFolder, &btnCollectionsFolder},
        std::tuple{&lblNotesFolder, &edtNotesFolder, &btnNotesFolder}}) {
    PlaceRow(*label, *edit, top, folderWidth);
    button->SetBounds(rightColumn, top - 2, kButtonWidth, kButtonHeight);
    button->SetTabStop(false);
    top += kRowHeight;
  }
  cbTrueTypeOnly.SetBounds(kEditLeft, top, folderWidth, kEditHeight);
  cbInstallForUser.SetBounds(kEditLeft, top + kEditHeight + 4, folderWidth, kEditHeight);

  PlaceHeading(lblColours, bvlColours, kMargin + 2, pageWidth);
  top = kFirstRowTop;
  for (auto [label, combo] : {std::pair{&lblFontColor, &rccFontColor}, std::pair{&lblFontBgColor, &rccFontBgColor},
                              std::pair{&lblFontInfoColor, &rccFontInfoColor}}) {
    // A combo box's height is its dropped list's; the field is as high as its rows.
    PlaceRow(*label, *combo, top, kColourWidth, kDroppedHeight);
    top += kRowHeight;
  }
  PlaceHeading(lblNotes, bvlNotes, top + 6, pageWidth);
  top += 6 + kFirstRowTop - kMargin - 2;
  PlaceRow(lblNotesSize, medNotesSize, top, kSizeWidth);

  PlaceHeading(lblSampleSheet, bvlSampleSheet, kMargin + 2, pageWidth);
  PlaceRow(lblSampleSize, medSampleSize, kFirstRowTop, kSizeWidth);
  top = kFirstRowTop + kRowHeight;
  PlaceRow(lblSampleText, memSampleText, top, pageWidth - kMargin - kEditLeft, pageHeight - kMargin - top);
  lblSampleText.SetTop(top + 3);  // level with the memo's first line
  for (TEdit* size : {&medNotesSize, &medSampleSize}) {
    size->SetNumbersOnly(true);
    size->SetMaxLength(3);
  }

  const int memoTop = pageHeight - kMargin - kSampleMemoHeight;
  lvSamples.SetBounds(kMargin, kMargin, rightColumn - kButtonGap - kMargin, memoTop - 2 * kMargin);
  lvSamples.AddColumn(L"Sample Text", 320);
  top = kMargin;
  for (TButton* button : {&btnSampleAdd, &btnSampleDelete, &btnSampleUp, &btnSampleDown, &btnSampleSort}) {
    button->SetBounds(rightColumn, top, kButtonWidth, kButtonHeight);
    top += kButtonHeight + kButtonGap;
  }
  memSample.SetBounds(kMargin, memoTop, pageWidth - 2 * kMargin, kSampleMemoHeight);
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
