// The font window's view pages: the sample, the multi-sample view, the
// character map, the font information panel and the note, and how they follow
// the navigation side.
#include <algorithm>
#include <memory>

#include "app/VLMChild.h"
#include "app/ViewLayout.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/Dpi.h"

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


// `base` with another size in points at `dpi` and, when given, another face.
TFontHandle FontLike(HFONT base, int points, int dpi, const TFontFileInfo::TDrawnFace* face = nullptr) {
  LOGFONTW font{};
  GetObjectW(base, sizeof(font), &font);
  font.lfHeight = -ui::PointsToPixels(points, dpi);
  font.lfWidth = 0;
  if (face) {
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfWeight = face->weight;
    font.lfItalic = face->italic ? TRUE : FALSE;
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    sys::Widen(face->name).copy(font.lfFaceName, LF_FACESIZE - 1);
  }
  return TFontHandle(CreateFontIndirectW(&font));
}

std::vector<std::wstring> Widened(const std::vector<std::string>& texts) {
  std::vector<std::wstring> result;
  result.reserve(texts.size());
  for (const std::string& text : texts) result.push_back(sys::Widen(text));
  return result;
}

// A label in the label column with its slider after it, on one row.
// Tops are pixels at 96 dpi; the label column's width is measured.
void PlaceSliderRow(TLabel& label, int labelTop, TEditSlider& slider, int sliderTop, int labelWidth) {
  const ui::TScale px(label);
  label.AutoSize();
  label.SetTop(px(labelTop));
  label.SetFocusControl(&slider);
  slider.SetBounds(labelWidth, px(sliderTop), px(TEditSlider::kMinWidth), px(TEditSlider::kHeight));
}

// A page's controls, made on its sheet the first time: laid out once, and drawn when done.
template <class TPage, class TSetUp>
TPage& MadeOnDemand(std::unique_ptr<TPage>& page, TTabSheet& sheet, TSetUp setUp) {
  if (!page) {
    const TAlignBatch batch(sheet);
    page = std::make_unique<TPage>(sheet);
    setUp(*page);
  }
  return *page;
}

// The options' font, background and information colours, on a view that draws fonts.
template <class TFontView>
void ApplyFontColours(TFontView& view, const TVLMOptions& options) {
  view.SetFontColor(ui::ColourToRGB(options.FontColour()));
  view.SetFontBgColor(ui::ColourToRGB(options.FontBackgroundColour()));
  view.SetFontInfoColor(ui::ColourToRGB(options.FontInformationColour()));
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
  const ui::TScale px(*this);
  FLabelWidth = 0;
  for (std::wstring_view caption : {L"列数(&L)", L"大小(&Z)", L"包含"})
    FLabelWidth = std::max(FLabelWidth, CaptionWidth(font, caption, L":"));
  FLabelWidth += px(10);

  // Sample page.
  pnlSampleTop.SetHeight(px(26));
  pnlSampleTop.SetAlign(alTop);
  cmbSamples.SetBounds(0, px(kRowTop), px(100), px(200));
  pnlSampleBottom.SetHeight(px(26));
  pnlSampleBottom.SetAlign(alBottom);
  memSample.SetAlign(alClient);
  PlaceSliderRow(lblSampleSize, kLabelTop + 1, esSampleSize, 3, FLabelWidth);

  FontInfo.SetAlign(alClient);
  memNotes.SetAlign(alClient);
  memNotes.SetExtension(".TXT");

  esSampleSize.SetMinValue(kMinSize);
  esSampleSize.SetMaxValue(kMaxSampleSize);

  // Initial values, before the handlers that would pass them on are bound.
  FSampleFace.name = sys::Narrow(L"宋体");
  FCharactersDrawn = FSampleFace;
  SetSampleFont(FSampleFace, kSampleFontSize);
  memSample.SetText(kSampleText);
  esSampleSize.SetValue(kSampleFontSize);

  // Menus.
  for (TControl* control : std::initializer_list<TControl*>{&cmbSamples, &memSample, &memNotes})
    control->SetPopupMenu(&pmEditBox);
  esSampleSize.SetPopupMenu(&pmEditBox);
  pmCharMatrixZoomIn.OnClick = [this] { pmCharMatrixZoomInClick(); };
  pmCharMatrixCopy.OnClick = [this] { pmCharMatrixCopyClick(); };
  pmCharMatrixCollect.OnClick = [this] { pmCharMatrixCollectClick(); };

  // Handlers.
  pcView.OnChange = [this] { pcViewChange(); };
  pnlSampleTop.OnResize = [this] { pnlSampleTopResize(); };
  pnlSampleBottom.OnResize = [this] { pnlSampleBottomResize(); };
  cmbSamples.OnSelect = [this] { TakeChosenItem(cmbSamples); };
  cmbSamples.OnChange = [this] { cmbSamplesChange(); };
  memSample.OnChange = [this] { memSampleChange(); };
  esSampleSize.OnChange = [this] { esSampleSizeChange(); };
  tmrFontSelChange.OnTimer = [this] { tmrFontSelChangeTimer(); };
  for (TFontList* list : {&InstalledFontList, &CollectionsFontList, &BrowseFontList})
    list->OnSelectionChange = [this] { FontListSelectionChange(); };

  // Focus and selection reports.
  BindEditReports(cmbSamples);
  memSample.OnEnter = [this] { FocusChange(&memSample); };
  memSample.OnExit = [this] { FocusChange(&memSample); };
  memSample.OnSelectionChange = [this] { EditSelectionChange(&memSample); };
  memNotes.OnEnter = [this] { FocusChange(&memNotes); };
  memNotes.OnExit = [this] { memNotesExit(); };
  memNotes.OnSelectionChange = [this] { EditSelectionChange(&memNotes); };
  BindEditReports(esSampleSize);
  BindFocusReports({&FontInfo});

  pnlSampleTopResize();
  pnlSampleBottomResize();
}

void TfrmVLMChild::BindEditReports(TComboBox2& combo) {
  combo.OnEnter = [this, &combo] { FocusChange(&combo); };
  combo.OnExit = [this, &combo] { FocusChange(&combo); };
  combo.OnSelectionChange = [this, &combo] { EditSelectionChange(&combo); };
}

void TfrmVLMChild::BindEditReports(TEditSlider& slider) {
  TEdit2* box = &slider.Box();
  slider.OnEnter = [this, box] { FocusChange(box); };
  slider.OnExit = [this, box] { FocusChange(box); };
  slider.OnSelectionChange = [this, box] { EditSelectionChange(box); };
  slider.SetPopupMenu(&pmEditBox);
}

void TfrmVLMChild::BindFocusReports(std::initializer_list<TControl*> controls) {
  for (TControl* control : controls) {
    control->OnEnter = [this, control] { FocusChange(control); };
    control->OnExit = [this, control] { FocusChange(control); };
  }
}

TMultiSamplePage& TfrmVLMChild::Multi() {
  return MadeOnDemand(FMultiPage, tsViewMulti, [this](TMultiSamplePage& page) { SetUpMultiPage(page); });
}

TCharactersPage& TfrmVLMChild::Characters() {
  return MadeOnDemand(FCharactersPage, tsViewCharacters, [this](TCharactersPage& page) { SetUpCharactersPage(page); });
}

void TfrmVLMChild::SetUpMultiPage(TMultiSamplePage& page) {
  const HFONT font = Font();
  const ui::TScale px(*this);
  page.pnlMultiTop.SetHeight(px(26));
  page.pnlMultiTop.SetAlign(alTop);
  page.cmbSamplesMulti.SetBounds(0, px(kRowTop), px(100), px(200));
  page.pnlMultiBottom.SetHeight(px(51));
  page.pnlMultiBottom.SetAlign(alBottom);
  page.MultiSample.SetAlign(alClient);
  page.lblMultiMode.AutoSize();
  page.lblMultiMode.SetTop(px(kLabelTop));
  const int selectedWidth = CaptionWidth(font, page.rbMultiSelected.Text(), L":") + px(20);
  int allWidth = 0;
  for (std::wstring_view caption : {L"所有在藏品中的字体(&L)", L"所有已安装的字体(&L)", L"文件夹中的所有字体(&L)"})
    allWidth = std::max(allWidth, CaptionWidth(font, caption, L":"));
  allWidth += px(20);
  page.rbMultiSelected.SetBounds(0, px(2), selectedWidth, px(17));
  page.rbMultiAll.SetBounds(selectedWidth + px(15), px(2), allWidth, px(17));
  page.rbMultiAll.SetText(MultiAllCaption());
  page.pnlMultiMode.SetBounds(FLabelWidth, px(kRowTop), selectedWidth + px(15) + allWidth, px(21));
  PlaceSliderRow(page.lblMultiSize, kSecondRowTop + 3, page.esMultiSize, kSecondRowTop, FLabelWidth);

  // The size stops at 128 like the single sample's.
  page.esMultiSize.SetMinValue(kMinSize);
  page.esMultiSize.SetMaxValue(kMaxSampleSize);
  page.esMultiSize.SetValue(kSampleFontSize);
  page.rbMultiAll.SetChecked(true);
  ApplyMultiPageOptions();
  page.cmbSamplesMulti.SetText(memSample.Text());

  // The sample, then the view, then the mode and the size.
  page.pnlMultiTop.SetTabOrder(0);
  page.MultiSample.SetTabOrder(1);
  page.pnlMultiBottom.SetTabOrder(2);
  page.pnlMultiMode.SetTabOrder(0);
  page.esMultiSize.SetTabOrder(1);

  page.cmbSamplesMulti.SetPopupMenu(&pmEditBox);
  page.pnlMultiTop.OnResize = [this] { pnlMultiTopResize(); };
  page.pnlMultiBottom.OnResize = [this] { pnlMultiBottomResize(); };
  page.cmbSamplesMulti.OnSelect = [&page] { TakeChosenItem(page.cmbSamplesMulti); };
  page.cmbSamplesMulti.OnChange = [this] { cmbSamplesMultiChange(); };
  page.esMultiSize.OnChange = [this] { esMultiSizeChange(); };
  page.rbMultiSelected.OnClick = [this] { rbMultiClick(); };
  page.rbMultiAll.OnClick = [this] { rbMultiClick(); };
  page.MultiSample.OnClick = [this] { MultiSampleClick(); };
  BindEditReports(page.cmbSamplesMulti);
  BindEditReports(page.esMultiSize);
  BindFocusReports({&page.MultiSample, &page.rbMultiSelected, &page.rbMultiAll});
  pnlMultiTopResize();
  pnlMultiBottomResize();
}

void TfrmVLMChild::SetUpCharactersPage(TCharactersPage& page) {
  const HFONT font = Font();
  const ui::TScale px(*this);
  page.CharMatrix.SetAlign(alClient);
  page.pnlCharactersBottom.SetHeight(px(51));
  page.pnlCharactersBottom.SetAlign(alBottom);
  PlaceSliderRow(page.lblColumns, kLabelTop, page.esColumns, kRowTop, FLabelWidth);
  page.cbValues.SetBounds(0, px(kRowTop + 2), CaptionWidth(font, page.cbValues.Text(), L"") + px(20), px(17));
  page.cbChars.SetBounds(0, px(kRowTop + 2), CaptionWidth(font, page.cbChars.Text(), L"") + px(20), px(17));
  PlaceSliderRow(page.lblCharactersSize, kSecondRowTop + 3, page.esCharactersSize, kSecondRowTop, FLabelWidth);

  page.esCharactersSize.SetMinValue(kMinSize);
  page.esCharactersSize.SetMaxValue(kMaxCharactersSize);
  page.esColumns.SetMinValue(1);
  page.esColumns.SetMaxValue(20);
  TCharMatrix& matrix = page.CharMatrix;
  matrix.SetColumns(5);
  matrix.SetFontName(FCharactersDrawn.name, {FCharactersDrawn.weight, FCharactersDrawn.italic});
  matrix.SetFontSize(36);
  matrix.SetShowASCIIValues(true);
  matrix.SetShowASCIIChars(false);
  matrix.SelectChar(33);
  ApplyFontColours(matrix, *FOptions);
  page.esColumns.SetValue(matrix.Columns());
  page.esCharactersSize.SetValue(matrix.FontSize());
  page.cbValues.SetChecked(matrix.ShowASCIIValues());
  page.cbChars.SetChecked(matrix.ShowASCIIChars());

  page.esColumns.SetTabOrder(0);
  page.cbValues.SetTabOrder(1);
  page.cbChars.SetTabOrder(2);
  page.esCharactersSize.SetTabOrder(3);

  matrix.SetPopupMenu(&pmCharMatrix);
  page.pnlCharactersBottom.OnResize = [this] { pnlCharactersBottomResize(); };
  matrix.OnResize = [this] { CharMatrixResize(); };
  page.esColumns.OnChange = [this] { esColumnsChange(); };
  page.esCharactersSize.OnChange = [this] { esCharactersSizeChange(); };
  page.cbValues.OnClick = [this] { cbValuesClick(); };
  page.cbChars.OnClick = [this] { cbCharsClick(); };
  BindEditReports(page.esColumns);
  BindEditReports(page.esCharactersSize);
  BindFocusReports({&matrix, &page.cbValues, &page.cbChars});
  pnlCharactersBottomResize();
  CharMatrixResize();
  SetUpUnicodeControls(page);
}

const wchar_t* TfrmVLMChild::MultiAllCaption() const {
  const TTabSheet* page = pcNav.ActivePage();
  if (page == &tsNavCollections) return L"所有在藏品中的字体(&L)";
  if (page == &tsNavBrowse) return L"文件夹中的所有字体(&L)";
  return L"所有已安装的字体(&L)";
}

void TfrmVLMChild::ApplyViewOptions() {
  memSample.SetColors(ui::ColourToRGB(FOptions->FontColour()), ui::ColourToRGB(FOptions->FontBackgroundColour()));
  SetNotesFontSize(FOptions->NotesFontSize());
  cmbSamples.SetItems(Widened(FOptions->SampleTexts()));
  cmbSamples.SetText(memSample.Text());
  if (FMultiPage) ApplyMultiPageOptions();
  if (FCharactersPage) ApplyFontColours(FCharactersPage->CharMatrix, *FOptions);
}

void TfrmVLMChild::ApplyMultiPageOptions() {
  ApplyFontColours(FMultiPage->MultiSample, *FOptions);
  FMultiPage->cmbSamplesMulti.SetItems(Widened(FOptions->SampleTexts()));
}

void TfrmVLMChild::SetSampleFont(const TFontFileInfo::TDrawnFace& face, int points) {
  TFontHandle font = FontLike(Font(), points, Dpi(), &face);
  if (!font) return;
  memSample.SetFont(font.Get());
  FSampleFont = std::move(font);  // the old one goes once the memo has let it go
  FSampleFace = face;
}

void TfrmVLMChild::SetNotesFontSize(int points) {
  TFontHandle font = FontLike(Font(), std::max(1, points), Dpi());
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
  FMultiPage->cmbSamplesMulti.SetWidth(FMultiPage->pnlMultiTop.ClientWidth());
}

void TfrmVLMChild::pnlSampleBottomResize() {
  esSampleSize.SetWidth(pnlSampleBottom.ClientWidth() - esSampleSize.Left());
}

void TfrmVLMChild::pnlMultiBottomResize() {
  TEditSlider& size = FMultiPage->esMultiSize;
  size.SetWidth(FMultiPage->pnlMultiBottom.ClientWidth() - size.Left());
}

void TfrmVLMChild::pnlCharactersBottomResize() {
  TCharactersPage& page = *FCharactersPage;
  const ui::TScale px(*this);
  const int width = page.pnlCharactersBottom.ClientWidth();
  page.cbChars.SetLeft(width - page.cbChars.Width());
  page.cbValues.SetLeft(page.cbChars.Left() - px(15) - page.cbValues.Width());
  page.esColumns.SetWidth(page.cbValues.Left() - px(20) - page.esColumns.Left());
  page.esCharactersSize.SetWidth(width - page.esCharactersSize.Left());
}

void TfrmVLMChild::CharMatrixResize() {
  FCharactersPage->esColumns.SetMaxValue(FCharactersPage->CharMatrix.MaxColumns());
}

// ---- Page change --------------------------------------------------------------------

bool TfrmVLMChild::ViewPageShowing(const TTabSheet& page) const { return pcView.ActivePage() == &page; }

void TfrmVLMChild::pcViewChange() {
  TTabSheet* page = pcView.ActivePage();
  if (page == &tsViewSample) {
    memSample.SetFocus();
  } else if (page == &tsViewMulti) {
    TMultiSamplePage& multi = Multi();
    sys::Current().ProcessMessages();
    if (!ViewPageShowing(tsViewMulti)) return;
    TFontList* list = CurrentFontList();
    TMultiSample& view = multi.MultiSample;
    TRadioButton& all = multi.rbMultiAll;
    view.BeginUpdate();
    multi.cmbSamplesMulti.SetText(memSample.Text());
    view.SetText(multi.cmbSamplesMulti.Text());
    view.SetFontSize(multi.esMultiSize.Value());
    view.SetFilter(FFilter);
    view.SetNameFilter(list ? list->NameFilter() : std::string());
    TFontFileList* shown = nullptr;
    if (list && all.Checked()) {
      shown = &list->FontFileList();
    } else if (list) {
      CollectSelectedFonts();
      shown = &FSelectedFonts;
    }
    // The list shown already may hold other fonts by now.
    if (shown && view.FontFileList() == shown) {
      view.Reload();
    } else if (shown) {
      view.SetFontFileList(shown);
    }
    tmrFontSelChange.SetEnabled(false);
    view.EndUpdate();
    // Only the rows of the rebuild can be scrolled to.
    if (list && all.Checked() && list->SelectedRecord()) view.MakeRowVisible(list->SelectedIndex());
  } else if (page == &tsViewCharacters) {
    Characters().CharMatrix.SetFocus();
  } else if (page == &tsViewFontInfo) {
    if (TFontList* list = CurrentFontList()) FontInfo.ShowFont(list->SelectedRecord());
  } else if (page == &tsViewNotes) {
    memNotes.SetFocus();
  }
}

void TfrmVLMChild::ShowRecordInViews(TFontFileInfo* record) {
  const bool readable = record && !record->Bad();
  // Each view keeps copies: the record may go with the list's next rescan.
  const std::string noteName = readable ? NoteNameFor(record->FileName(), record->FaceIndex()) : std::string();
  if (readable) {
    const TFontFileInfo::TDrawnFace face = record->DrawnFace();
    SetSampleFont(face, esSampleSize.Value());
    FCharactersDrawn = face;
    FCharactersFile = record->FileName();
    FCharactersFace = record->FaceIndex();
    if (FCharactersPage) {
      FCharactersPage->CharMatrix.SetFontName(face.name, {face.weight, face.italic});
      FCharactersPage->CharMatrix.SetFontFile(FCharactersFile, FCharactersFace);
    }
  }
  if (ViewPageShowing(tsViewFontInfo)) {
    FontInfo.ShowFont(record);
  } else if (FontInfo.Shows(record) && readable) {
    FontInfo.Show();
  } else if (FontInfo.CurrentFont()) {
    // Hidden and emptied until its page shows again.
    FontInfo.ShowFont(nullptr);
  }
  if (ViewPageShowing(tsViewMulti)) {
    // The selected fonts follow through the pause, so that a burst costs one rebuild.
    if (Multi().rbMultiAll.Checked()) {
      rbMultiClick();
    } else {
      FontListSelectionChange();
    }
  }
  if (readable) memNotes.SetNoteName(noteName);
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

void TfrmVLMChild::esSampleSizeChange() { SetSampleFont(FSampleFace, esSampleSize.Value()); }

// ---- Multi-sample page -------------------------------------------------------------

void TfrmVLMChild::cmbSamplesMultiChange() {
  const std::wstring text = FMultiPage->cmbSamplesMulti.Text();
  if (memSample.Text() != text) {
    memSample.SetText(text);
    // A memo reports no change of the text set from outside.
    memSampleChange();
  }
  FMultiPage->MultiSample.SetText(text);
}

void TfrmVLMChild::esMultiSizeChange() { FMultiPage->MultiSample.SetFontSize(FMultiPage->esMultiSize.Value()); }

void TfrmVLMChild::rbMultiClick() {
  // Whatever the mode, a pending rebuild is now needless (and in the "all"
  // mode would never be stopped again).
  tmrFontSelChange.SetEnabled(false);
  TFontList* list = CurrentFontList();
  if (!list) return;
  TMultiSample& view = Multi().MultiSample;
  if (FMultiPage->rbMultiAll.Checked()) {
    view.SetNameFilter(list->NameFilter());
    view.SetFontFileList(&list->FontFileList());
    if (list->SelectedRecord()) view.MakeRowVisible(list->SelectedIndex());
  } else {
    const bool shown = view.FontFileList() == &FSelectedFonts;
    CollectSelectedFonts();
    view.SetFontFileList(&FSelectedFonts);
    if (shown) view.Reload();
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
  if (FDestroying || !ViewPageShowing(tsViewMulti) || !Multi().rbMultiSelected.Checked()) return;
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
  if (ViewPageShowing(tsViewMulti) && Multi().rbMultiAll.Checked()) FMultiPage->MultiSample.Reload();
}

void TfrmVLMChild::MultiSampleClick() {
  TFontList* list = CurrentFontList();
  TFontFileInfo* font = FMultiPage->MultiSample.ClickedFont();
  if (!list || !font) return;
  // A copy: selecting rebuilds what the record belongs to.
  const std::string name = font->FontName();
  list->MakeFontVisible(name);
  if (!FMultiPage->rbMultiAll.Checked()) return;
  if (ui::CurrentShiftState() & ssCtrl) {
    list->ToggleSelected(name);
  } else {
    list->SelectOnly(name);
  }
}

// ---- Characters page ---------------------------------------------------------------

void TfrmVLMChild::esColumnsChange() {
  FCharactersPage->CharMatrix.SetColumns(FCharactersPage->esColumns.Value());
}

void TfrmVLMChild::esCharactersSizeChange() {
  FCharactersPage->CharMatrix.SetFontSize(FCharactersPage->esCharactersSize.Value());
}

void TfrmVLMChild::cbValuesClick() {
  FCharactersPage->CharMatrix.SetShowASCIIValues(FCharactersPage->cbValues.Checked());
}

void TfrmVLMChild::cbCharsClick() {
  FCharactersPage->CharMatrix.SetShowASCIIChars(FCharactersPage->cbChars.Checked());
}

void TfrmVLMChild::pmCharMatrixZoomInClick() { Characters().CharMatrix.Zoom(); }

// ---- Notes page --------------------------------------------------------------------

void TfrmVLMChild::memNotesExit() {
  memNotes.SaveNote();
  FocusChange(&memNotes);
}
