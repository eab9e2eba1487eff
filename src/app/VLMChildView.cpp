// The font window's view pages: the sample, the multi-sample view, the
// character map, the font information panel and the note, and how they follow
// the navigation side.
#include <algorithm>

#include "app/VLMChild.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

constexpr wchar_t kSampleText[] = L"The quick brown fox jumps over the lazy dog";
constexpr int kSampleFontSize = 18;
constexpr int kMinSize = 4;
constexpr int kMaxSampleSize = 128;
constexpr int kMaxCharactersSize = 512;
constexpr unsigned kSelectionPause = 100;  // ms
constexpr int kRowTop = 2;
constexpr int kSecondRowTop = 27;
constexpr int kLabelTop = 5;

// A caption's width in `font`, without its "&" and with `suffix` after it.
int CaptionWidth(HFONT font, std::wstring_view caption, std::wstring_view suffix) {
  std::wstring text(caption);
  const size_t amp = text.find(L'&');
  if (amp != std::wstring::npos) text.erase(amp, 1);
  text += suffix;
  const TMemoryDC dc;
  const TSelectObject select(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// `base` with another size in points and, when given, another face.
TFontHandle FontLike(HFONT base, int points, const std::wstring* face = nullptr) {
  LOGFONTW font{};
  GetObjectW(base, sizeof(font), &font);
  const TWindowDC screen(nullptr);
  font.lfHeight = -MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  font.lfWidth = 0;
  if (face) {
    font.lfCharSet = DEFAULT_CHARSET;
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    face->copy(font.lfFaceName, LF_FACESIZE - 1);
  }
  return TFontHandle(CreateFontIndirectW(&font));
}

std::vector<std::wstring> Widened(const std::vector<std::string>& texts) {
  std::vector<std::wstring> result;
  result.reserve(texts.size());
  for (const std::string& text : texts) result.push_back(sys::Widen(text));
  return result;
}

// CBN_SELCHANGE comes before the edit part shows the chosen item.
void TakeChosenItem(TComboBox& combo) {
  const int index = combo.ItemIndex();
  if (index >= 0) combo.SetText(combo.Items()[static_cast<size_t>(index)]);
}

}  // namespace

// ---- Creation -------------------------------------------------------------------

void TfrmVLMChild::CreateViewPages() {
  const HFONT font = Font();
  FLabelWidth = 0;
  for (std::wstring_view caption : {L"列数(&L)", L"大小(&Z)", L"包含"})
    FLabelWidth = std::max(FLabelWidth, CaptionWidth(font, caption, L":"));
  FLabelWidth += 10;

  // Sample page.
  pnlSampleTop.SetHeight(26);
  pnlSampleTop.SetAlign(alTop);
  cmbSamples.SetBounds(0, kRowTop, 100, 200);
  pnlSampleBottom.SetHeight(26);
  pnlSampleBottom.SetAlign(alBottom);
  memSample.SetAlign(alClient);
  lblSampleSize.AutoSize();
  lblSampleSize.SetTop(kLabelTop + 1);
  lblSampleSize.SetFocusControl(&esSampleSize);
  esSampleSize.SetBounds(FLabelWidth, 3, TEditSlider::kMinWidth, TEditSlider::kHeight);

  // Multi-sample page.
  pnlMultiTop.SetHeight(26);
  pnlMultiTop.SetAlign(alTop);
  cmbSamplesMulti.SetBounds(0, kRowTop, 100, 200);
  pnlMultiBottom.SetHeight(51);
  pnlMultiBottom.SetAlign(alBottom);
  MultiSample.SetAlign(alClient);
  lblMultiMode.AutoSize();
  lblMultiMode.SetTop(kLabelTop);
  const int selectedWidth = CaptionWidth(font, rbMultiSelected.Text(), L":") + 20;
  int allWidth = 0;
  for (std::wstring_view caption : {L"所有在藏品中的字体(&L)", L"所有已安装的字体(&L)", L"文件夹中的所有字体(&L)"})
    allWidth = std::max(allWidth, CaptionWidth(font, caption, L":"));
  allWidth += 20;
  rbMultiSelected.SetBounds(0, 2, selectedWidth, 17);
  rbMultiAll.SetBounds(selectedWidth + 15, 2, allWidth, 17);
  pnlMultiMode.SetBounds(FLabelWidth, kRowTop, selectedWidth + 15 + allWidth, 21);
  lblMultiSize.AutoSize();
  lblMultiSize.SetTop(kSecondRowTop + 3);
  lblMultiSize.SetFocusControl(&esMultiSize);
  esMultiSize.SetBounds(FLabelWidth, kSecondRowTop, TEditSlider::kMinWidth, TEditSlider::kHeight);

  // Characters page.
  CharMatrix.SetAlign(alClient);
  pnlCharactersBottom.SetHeight(51);
  pnlCharactersBottom.SetAlign(alBottom);
  lblColumns.AutoSize();
  lblColumns.SetTop(kLabelTop);
  lblColumns.SetFocusControl(&esColumns);
  esColumns.SetBounds(FLabelWidth, kRowTop, TEditSlider::kMinWidth, TEditSlider::kHeight);
  cbValues.SetBounds(0, kRowTop + 2, CaptionWidth(font, cbValues.Text(), L"") + 20, 17);
  cbChars.SetBounds(0, kRowTop + 2, CaptionWidth(font, cbChars.Text(), L"") + 20, 17);
  lblCharactersSize.AutoSize();
  lblCharactersSize.SetTop(kSecondRowTop + 3);
  lblCharactersSize.SetFocusControl(&esCharactersSize);
  esCharactersSize.SetBounds(FLabelWidth, kSecondRowTop, TEditSlider::kMinWidth, TEditSlider::kHeight);

  FontInfo.SetAlign(alClient);
  memNotes.SetAlign(alClient);
  memNotes.SetExtension(".TXT");

  // Ranges; the multi-sample size stops at 128 like the single sample's.
  for (TEditSlider* slider : {&esSampleSize, &esMultiSize, &esCharactersSize}) slider->SetMinValue(kMinSize);
  esSampleSize.SetMaxValue(kMaxSampleSize);
  esMultiSize.SetMaxValue(kMaxSampleSize);
  esCharactersSize.SetMaxValue(kMaxCharactersSize);
  esColumns.SetMinValue(1);
  esColumns.SetMaxValue(20);

  // Initial values, before the handlers that would pass them on are bound.
  FSampleFontName = sys::Narrow(L"宋体");
  SetSampleFont(FSampleFontName, kSampleFontSize);
  memSample.SetText(kSampleText);
  esSampleSize.SetValue(kSampleFontSize);
  esMultiSize.SetValue(kSampleFontSize);
  rbMultiAll.SetChecked(true);
  CharMatrix.SetColumns(5);
  CharMatrix.SetFontName(FSampleFontName);
  CharMatrix.SetFontSize(36);
  CharMatrix.SetShowASCIIValues(true);
  CharMatrix.SetShowASCIIChars(false);
  CharMatrix.SelectChar(33);
  esColumns.SetValue(CharMatrix.Columns());
  esCharactersSize.SetValue(CharMatrix.FontSize());
  cbValues.SetChecked(CharMatrix.ShowASCIIValues());
  cbChars.SetChecked(CharMatrix.ShowASCIIChars());

  // Tab orders: the sample, then the view, then the mode and the size.
  pnlMultiTop.SetTabOrder(0);
  MultiSample.SetTabOrder(1);
  pnlMultiBottom.SetTabOrder(2);
  pnlMultiMode.SetTabOrder(0);
  esMultiSize.SetTabOrder(1);
  esColumns.SetTabOrder(0);
  cbValues.SetTabOrder(1);
  cbChars.SetTabOrder(2);
  esCharactersSize.SetTabOrder(3);

  // Menus.
  for (TControl* control : std::initializer_list<TControl*>{&cmbSamples, &memSample, &cmbSamplesMulti, &memNotes})
    control->SetPopupMenu(&pmEditBox);
  for (TEditSlider* slider : {&esSampleSize, &esMultiSize, &esColumns, &esCharactersSize})
    slider->SetPopupMenu(&pmEditBox);
  CharMatrix.SetPopupMenu(&pmCharMatrix);
  pmCharMatrixZoomIn.OnClick = [this] { pmCharMatrixZoomInClick(); };

  // Handlers.
  pcView.OnChange = [this] { pcViewChange(); };
  pnlSampleTop.OnResize = [this] { pnlSampleTopResize(); };
  pnlSampleBottom.OnResize = [this] { pnlSampleBottomResize(); };
  pnlMultiTop.OnResize = [this] { pnlMultiTopResize(); };
  pnlMultiBottom.OnResize = [this] { pnlMultiBottomResize(); };
  pnlCharactersBottom.OnResize = [this] { pnlCharactersBottomResize(); };
  CharMatrix.OnResize = [this] { CharMatrixResize(); };
  cmbSamples.OnSelect = [this] { TakeChosenItem(cmbSamples); };
  cmbSamples.OnChange = [this] { cmbSamplesChange(); };
  memSample.OnChange = [this] { memSampleChange(); };
  esSampleSize.OnChange = [this] { esSampleSizeChange(); };
  cmbSamplesMulti.OnSelect = [this] { TakeChosenItem(cmbSamplesMulti); };
  cmbSamplesMulti.OnChange = [this] { cmbSamplesMultiChange(); };
  esMultiSize.OnChange = [this] { esMultiSizeChange(); };
  rbMultiSelected.OnClick = [this] { rbMultiClick(); };
  rbMultiAll.OnClick = [this] { rbMultiClick(); };
  MultiSample.OnClick = [this] { MultiSampleClick(); };
  tmrFontSelChange.OnTimer = [this] { tmrFontSelChangeTimer(); };
  esColumns.OnChange = [this] { esColumnsChange(); };
  esCharactersSize.OnChange = [this] { esCharactersSizeChange(); };
  cbValues.OnClick = [this] { cbValuesClick(); };
  cbChars.OnClick = [this] { cbCharsClick(); };
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList})
    list->OnSelectionChange = [this] { FontListSelectionChange(); };

  // Focus and selection reports.
  for (TComboBox2* combo : {&cmbSamples, &cmbSamplesMulti}) {
    combo->OnEnter = [this, combo] { FocusChange(combo); };
    combo->OnExit = [this, combo] { FocusChange(combo); };
    combo->OnSelectionChange = [this, combo] { EditSelectionChange(combo); };
  }
  memSample.OnEnter = [this] { FocusChange(&memSample); };
  memSample.OnExit = [this] { FocusChange(&memSample); };
  memSample.OnSelectionChange = [this] { EditSelectionChange(&memSample); };
  memNotes.OnEnter = [this] { FocusChange(&memNotes); };
  memNotes.OnExit = [this] { memNotesExit(); };
  memNotes.OnSelectionChange = [this] { EditSelectionChange(&memNotes); };
  for (TEditSlider* slider : {&esSampleSize, &esMultiSize, &esColumns, &esCharactersSize}) {
    TEdit2* box = &slider->Box();
    slider->OnEnter = [this, box] { FocusChange(box); };
    slider->OnExit = [this, box] { FocusChange(box); };
    slider->OnSelectionChange = [this, box] { EditSelectionChange(box); };
  }
  for (TControl* control : std::initializer_list<TControl*>{&MultiSample, &rbMultiSelected, &rbMultiAll,
                                                            &CharMatrix, &cbValues, &cbChars, &FontInfo}) {
    control->OnEnter = [this, control] { FocusChange(control); };
    control->OnExit = [this, control] { FocusChange(control); };
  }

  pnlSampleTopResize();
  pnlSampleBottomResize();
  pnlMultiTopResize();
  pnlMultiBottomResize();
  pnlCharactersBottomResize();
  CharMatrixResize();
}

void TfrmVLMChild::ApplyViewOptions() {
  const COLORREF text = ui::ColourToRGB(FOptions->FontColour());
  const COLORREF background = ui::ColourToRGB(FOptions->FontBackgroundColour());
  const COLORREF info = ui::ColourToRGB(FOptions->FontInformationColour());
  memSample.SetColors(text, background);
  CharMatrix.SetFontColor(text);
  CharMatrix.SetFontBgColor(background);
  CharMatrix.SetFontInfoColor(info);
  MultiSample.SetFontColor(text);
  MultiSample.SetFontBgColor(background);
  MultiSample.SetFontInfoColor(info);
  SetNotesFontSize(FOptions->NotesFontSize());
  const std::vector<std::wstring> samples = Widened(FOptions->SampleTexts());
  cmbSamples.SetItems(samples);
  cmbSamples.SetText(memSample.Text());
  cmbSamplesMulti.SetItems(samples);
}

void TfrmVLMChild::SetSampleFont(const std::string& name, int points) {
  const std::wstring face = sys::Widen(name);
  TFontHandle font = FontLike(Font(), points, &face);
  if (!font) return;
  memSample.SetFont(font.Get());
  FSampleFont = std::move(font);  // the old one goes once the memo has let it go
  FSampleFontName = name;
}

void TfrmVLMChild::SetNotesFontSize(int points) {
  TFontHandle font = FontLike(Font(), std::max(1, points));
  if (!font) return;
  memNotes.SetFont(font.Get());
  FNotesFont = std::move(font);
}

void TfrmVLMChild::DestroyHandle() {
  // No rebuild may start once the window begins to go.
  FDestroying = true;
  tmrFontSelChange.SetEnabled(false);
  TMDIChild::DestroyHandle();
}

// ---- Layout -----------------------------------------------------------------------

void TfrmVLMChild::pnlSampleTopResize() {
  cmbSamples.SetWidth(pnlSampleTop.ClientWidth());
}

void TfrmVLMChild::pnlMultiTopResize() {
  cmbSamplesMulti.SetWidth(pnlMultiTop.ClientWidth());
}

void TfrmVLMChild::pnlSampleBottomResize() {
  esSampleSize.SetWidth(pnlSampleBottom.ClientWidth() - esSampleSize.Left());
}

void TfrmVLMChild::pnlMultiBottomResize() {
  esMultiSize.SetWidth(pnlMultiBottom.ClientWidth() - esMultiSize.Left());
}

void TfrmVLMChild::pnlCharactersBottomResize() {
  const int width = pnlCharactersBottom.ClientWidth();
  cbChars.SetLeft(width - cbChars.Width());
  cbValues.SetLeft(cbChars.Left() - 15 - cbValues.Width());
  esColumns.SetWidth(cbValues.Left() - 20 - esColumns.Left());
  esCharactersSize.SetWidth(width - esCharactersSize.Left());
}

void TfrmVLMChild::CharMatrixResize() { esColumns.SetMaxValue(CharMatrix.MaxColumns()); }

// ---- Page change --------------------------------------------------------------------

bool TfrmVLMChild::ViewPageShowing(const TTabSheet& page) const { return pcView.ActivePage() == &page; }

void TfrmVLMChild::pcViewChange() {
  TTabSheet* page = pcView.ActivePage();
  if (page == &tsViewSample) {
    memSample.SetFocus();
  } else if (page == &tsViewMulti) {
    sys::Current().ProcessMessages();
    if (!ViewPageShowing(tsViewMulti)) return;
    TFontList* list = CurrentFontList();
    MultiSample.BeginUpdate();
    cmbSamplesMulti.SetText(memSample.Text());
    MultiSample.SetText(cmbSamplesMulti.Text());
    MultiSample.SetFontSize(esMultiSize.Value());
    MultiSample.SetFilter(FFilter);
    TFontFileList* shown = nullptr;
    if (list && rbMultiAll.Checked()) {
      shown = &list->FontFileList();
    } else if (list) {
      CollectSelectedFonts();
      shown = &FSelectedFonts;
    }
    // The list shown already may hold other fonts by now.
    if (shown && MultiSample.FontFileList() == shown) {
      MultiSample.Reload();
    } else if (shown) {
      MultiSample.SetFontFileList(shown);
    }
    tmrFontSelChange.SetEnabled(false);
    MultiSample.EndUpdate();
    // Only the rows of the rebuild can be scrolled to.
    if (list && rbMultiAll.Checked() && list->SelectedRecord()) MultiSample.MakeRowVisible(list->SelectedIndex());
  } else if (page == &tsViewCharacters) {
    CharMatrix.SetFocus();
  } else if (page == &tsViewFontInfo) {
    if (TFontList* list = CurrentFontList()) FontInfo.ShowFont(list->SelectedRecord());
  } else if (page == &tsViewNotes) {
    memNotes.SetFocus();
  }
}

void TfrmVLMChild::ShowRecordInViews(TFontFileInfo* record) {
  const bool readable = record && !record->Bad();
  if (readable) {
    const std::string name = record->DisplayName();
    SetSampleFont(name, esSampleSize.Value());
    CharMatrix.SetFontName(name);
  }
  if (ViewPageShowing(tsViewFontInfo)) {
    FontInfo.ShowFont(record);
  } else if (FontInfo.CurrentFont() == record && readable) {
    FontInfo.Show();
  } else if (FontInfo.CurrentFont()) {
    // Hidden until its page shows; it must not keep a record its list may free.
    FontInfo.ShowFont(nullptr);
  }
  if (ViewPageShowing(tsViewMulti)) {
    // The selected fonts follow through the pause, so that a burst costs one rebuild.
    if (rbMultiAll.Checked()) {
      rbMultiClick();
    } else {
      FontListSelectionChange();
    }
  }
  if (readable) memNotes.SetNoteName(FileNameNoExt(record->FileName()));
}

// ---- Sample page --------------------------------------------------------------------

void TfrmVLMChild::cmbSamplesChange() {
  const std::wstring text = cmbSamples.Text();
  if (memSample.Text() != text) memSample.SetText(text);
}

void TfrmVLMChild::memSampleChange() {
  const std::wstring text = memSample.Text();
  if (cmbSamples.Text() != text) cmbSamples.SetText(text);
}

void TfrmVLMChild::esSampleSizeChange() { SetSampleFont(FSampleFontName, esSampleSize.Value()); }

// ---- Multi-sample page -------------------------------------------------------------

void TfrmVLMChild::cmbSamplesMultiChange() {
  const std::wstring text = cmbSamplesMulti.Text();
  if (memSample.Text() != text) {
    memSample.SetText(text);
    // A memo reports no change of the text set from outside.
    memSampleChange();
  }
  MultiSample.SetText(text);
}

void TfrmVLMChild::esMultiSizeChange() { MultiSample.SetFontSize(esMultiSize.Value()); }

void TfrmVLMChild::rbMultiClick() {
  // Whatever the mode, a pending rebuild is now needless (and in the "all"
  // mode would never be stopped again).
  tmrFontSelChange.SetEnabled(false);
  TFontList* list = CurrentFontList();
  if (!list) return;
  if (rbMultiAll.Checked()) {
    MultiSample.SetFontFileList(&list->FontFileList());
    if (list->SelectedRecord()) MultiSample.MakeRowVisible(list->SelectedIndex());
  } else {
    const bool shown = MultiSample.FontFileList() == &FSelectedFonts;
    CollectSelectedFonts();
    MultiSample.SetFontFileList(&FSelectedFonts);
    if (shown) MultiSample.Reload();
  }
}

void TfrmVLMChild::CollectSelectedFonts() {
  if (FSelectedFonts.Mode() != flmCollection) FSelectedFonts.SetMode(flmCollection);
  FSelectedFonts.Clear();
  TFontList* list = CurrentFontList();
  if (!list) return;
  const std::vector<std::string>& files = list->SelectedFileNames();
  const std::vector<std::string>& names = list->SelectedFontNames();
  const size_t count = std::min(files.size(), names.size());
  for (size_t i = 0; i < count; ++i) FSelectedFonts.AddFileWithName(files[i], names[i]);
}

void TfrmVLMChild::FontListSelectionChange() {
  if (FDestroying || !ViewPageShowing(tsViewMulti) || !rbMultiSelected.Checked()) return;
  // The first change of a burst arms the timer; the later ones leave it running.
  if (tmrFontSelChange.Enabled()) return;
  tmrFontSelChange.SetInterval(kSelectionPause);
  tmrFontSelChange.SetEnabled(true);
}

void TfrmVLMChild::tmrFontSelChangeTimer() {
  tmrFontSelChange.SetEnabled(false);
  // The page shows the selection afresh when it is shown again.
  if (FDestroying || !ViewPageShowing(tsViewMulti)) return;
  rbMultiClick();
}

void TfrmVLMChild::RefreshMultiSampleAll() {
  if (ViewPageShowing(tsViewMulti) && rbMultiAll.Checked()) MultiSample.Reload();
}

void TfrmVLMChild::MultiSampleClick() {
  TFontList* list = CurrentFontList();
  TFontFileInfo* font = MultiSample.ClickedFont();
  if (!list || !font) return;
  // A copy: selecting rebuilds what the record belongs to.
  const std::string name = font->FontName();
  list->MakeFontVisible(name);
  if (!rbMultiAll.Checked()) return;
  if (ui::CurrentShiftState() & ssCtrl) {
    list->ToggleSelected(name);
  } else {
    list->SelectOnly(name);
  }
}

// ---- Characters page ---------------------------------------------------------------

void TfrmVLMChild::esColumnsChange() { CharMatrix.SetColumns(esColumns.Value()); }

void TfrmVLMChild::esCharactersSizeChange() { CharMatrix.SetFontSize(esCharactersSize.Value()); }

void TfrmVLMChild::cbValuesClick() { CharMatrix.SetShowASCIIValues(cbValues.Checked()); }

void TfrmVLMChild::cbCharsClick() { CharMatrix.SetShowASCIIChars(cbChars.Checked()); }

void TfrmVLMChild::pmCharMatrixZoomInClick() { CharMatrix.Zoom(); }

// ---- Notes page --------------------------------------------------------------------

void TfrmVLMChild::memNotesExit() {
  memNotes.SaveNote();
  FocusChange(&memNotes);
}
