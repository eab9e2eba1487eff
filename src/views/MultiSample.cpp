#include "views/MultiSample.h"

#include <algorithm>
#include <cwchar>
#include <optional>

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "ui/Dpi.h"

namespace {

SIZE TextSize(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

int GmHeight(HDC dc) { return TextSize(dc, L"gM").cy; }

void DrawLine(HDC dc, const std::wstring& text, const TRowRect& r) {
  RECT rect{r.left, r.top, r.right, r.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

TMultiSample::TMultiSample(TControl& parent)
    : TCompPanel(parent),
      grid_(*this),
      fontColor_(GetSysColor(COLOR_WINDOWTEXT)),
      fontBgColor_(GetSysColor(COLOR_WINDOW)),
      fontInfoColor_(GetSysColor(COLOR_BTNSHADOW)) {
  grid_.SetAlign(alClient);
  grid_.SetColor(fontBgColor_);
  SetMainChild(&grid_);
  grid_.OnDrawCell = [this](HDC dc, int row, const RECT& cell) { DrawCell(dc, row, cell); };
  grid_.OnTopLeftChanged = [this] { UpdateLoaded(); };
  grid_.OnResize = [this] { UpdateLoaded(); };
  grid_.OnMouseDown = [this](int x, int y) {
    clickedRow_ = grid_.MouseRow(x, y);
    if (OnClick) OnClick();
  };
  grid_.OnDblClick = [this] {
    if (OnDblClick) OnDblClick();
  };
  grid_.OnKeyDown = [this](WORD& key, TShiftState shift) {
    unsigned held = 0;
    if (shift & ssShift) held |= multi_sample::kShiftKey;
    if (shift & ssCtrl) held |= multi_sample::kCtrlKey;
    if (shift & ssAlt) held |= multi_sample::kAltKey;
    multi_sample::TKeyScroll scroll;
    if (!multi_sample::KeyScroll(key, held, scroll)) return;
    // Left unhandled: the grid's own key handling follows.
    SendMessageW(grid_.Handle(), scroll.vertical ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(scroll.code, 0), 0);
  };
}

TMultiSample::~TMultiSample() {
  // The grid's window may still paint while the members go; with no rows it
  // adds nothing again.
  rows_.clear();
  fonts_.Clear();
}

// ---- Properties ---------------------------------------------------------------

void TMultiSample::SetFontFileList(TFontFileList* list) {
  if (list == list_) return;
  list_ = list;
  Changed(true);
}

void TMultiSample::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  Changed(true);
}

void TMultiSample::SetFontColor(COLORREF color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Changed(false);
}

void TMultiSample::SetFontBgColor(COLORREF color) {
  if (color == fontBgColor_) return;
  fontBgColor_ = color;
  grid_.SetColor(color);
  Changed(false);
}

void TMultiSample::SetFontInfoColor(COLORREF color) {
  if (color == fontInfoColor_) return;
  fontInfoColor_ = color;
  Changed(false);
}

void TMultiSample::SetText(std::wstring_view text) {
  if (text == text_) return;
  text_ = text;
  if (!wordWrap_) QuickWidth();
  Changed(wordWrap_);
}

void TMultiSample::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  Changed(true);
}

void TMultiSample::SetFilter(TFontKinds filter) {
  if (filter == filter_) return;
  filter_ = filter;
  Changed(true);
}

void TMultiSample::SetNameFilter(std::string_view text) {
  if (text == nameFilter_.Text()) return;
  nameFilter_ = TNameFilter(text);
  Changed(true);
}

// ---- Updates ------------------------------------------------------------------

void TMultiSample::BeginUpdate() { updating_ = true; }

void TMultiSample::EndUpdate() {
  updating_ = false;
  if (!needsRebuild_) return;
  Rebuild();
  grid_.Invalidate();
  grid_.Update();
}

void TMultiSample::Reload() {
  Rebuild();
  grid_.Invalidate();
  grid_.Update();
}

void TMultiSample::Changed(bool rebuild) {
  needsRebuild_ = needsRebuild_ || rebuild;
  if (updating_) return;
  if (needsRebuild_) Rebuild();
  grid_.Invalidate();
  grid_.Update();
}

TFontHandle TMultiSample::SampleFont(const TSampleRow& row) const {
  LOGFONTW font{};
  font.lfHeight = -ui::PointsToPixels(fontSize_, ui::DpiOf(*this));
  font.lfWeight = row.weight;
  font.lfItalic = row.italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  wcsncpy(font.lfFaceName, row.faceName.c_str(), LF_FACESIZE - 1);
  return TFontHandle(CreateFontIndirectW(&font));
}

void TMultiSample::Rebuild() {
  ++rebuilds_;
  fonts_.Clear();
  if (!list_) {
    rows_.clear();
    grid_.SetRows({});
    return;
  }
  // Rows are measured as they come into view, with their fonts added then:
  // a list of 26,000 fonts opens as fast as one of a few. Until then a row
  // is taken to be as high as a sample in the fallback face.
  const TMemoryDC dc;
  const TSelectObject own(dc.Get(), Font());
  infoHeight_ = GmHeight(dc.Get());
  int guess = 0;
  {
    const TFontHandle fallback = SampleFont(TSampleRow{});
    const TSelectObject select(dc.Get(), fallback.Get());
    guess = multi_sample::RowHeight(GmHeight(dc.Get()), infoHeight_);
    sampleWidth_ = TextSize(dc.Get(), text_).cx;
  }
  widestRow_ = -1;
  longestInfo_.clear();
  std::vector<TSampleRow> rows;
  rows.reserve(static_cast<size_t>(list_->Count()));
  const bool filtered = filter_ != kAllFontKinds;
  for (int i = 0; i < list_->Count(); ++i) {
    TFontFileInfo& record = *list_->Items(i);
    if (filtered && !KindInSet(filter_, record.FontKind())) continue;
    if (!nameFilter_.Matches(record.FontName())) continue;
    TSampleRow row;
    row.listIndex = i;
    row.fileName = record.FileName();
    row.face = record.FaceIndex();
    row.installed = record.Installed();
    const TFontFileInfo::TDrawnFace drawn = record.DrawnFace();
    row.faceName = sys::Widen(drawn.name);
    row.weight = drawn.weight;
    row.italic = drawn.italic;
    row.info = multi_sample::InfoLine(sys::Widen(record.FontName()), sys::Widen(row.fileName));
    if (row.info.size() > longestInfo_.size()) longestInfo_ = row.info;
    row.height = guess;
    rows.push_back(std::move(row));
  }
  // The longest information line stands for the others until they are measured.
  sampleWidth_ = std::max(sampleWidth_, static_cast<int>(TextSize(dc.Get(), longestInfo_).cx));
  rows_ = std::move(rows);
  needsRebuild_ = false;
  MeasureRows(LastPageFirst(), static_cast<int>(rows_.size()), false);
  UpdateGeometry();
  UpdateLoaded();
}

int TMultiSample::LastPageFirst() const {
  int first = static_cast<int>(rows_.size());
  for (int y = 0; first > 0 && y <= grid_.ClientHeight();) y += rows_[static_cast<size_t>(--first)].height;
  return first;
}

bool TMultiSample::MeasureRows(int first, int last, bool added) {
  const TMemoryDC dc;
  const TSelectObject own(dc.Get(), Font());
  bool changed = false;
  for (int i = std::max(first, 0); i < last && i < static_cast<int>(rows_.size()); ++i) {
    TSampleRow& row = rows_[static_cast<size_t>(i)];
    if (row.measured) continue;
    row.measured = true;
    {
      std::optional<TTemporaryFont> measuring;
      if (!added) measuring.emplace(row.fileName, row.installed);
      const TFontHandle sample = SampleFont(row);
      const TSelectObject select(dc.Get(), sample.Get());
      const int height = multi_sample::RowHeight(GmHeight(dc.Get()), infoHeight_);
      changed = changed || height != row.height;
      row.height = height;
      const int width = TextSize(dc.Get(), text_).cx;
      if (width > sampleWidth_) {
        sampleWidth_ = width;
        widestRow_ = i;
        changed = true;
      }
    }
    const int infoWidth = TextSize(dc.Get(), row.info).cx;
    if (infoWidth > sampleWidth_) {
      sampleWidth_ = infoWidth;
      changed = true;
    }
  }
  return changed;
}

void TMultiSample::UpdateGeometry() {
  std::vector<int> heights;
  heights.reserve(rows_.size());
  for (const TSampleRow& row : rows_) heights.push_back(row.height);
  grid_.SetColWidth(sampleWidth_ + ui::TScale(*this)(4));
  grid_.SetRows(std::move(heights));
}

void TMultiSample::QuickWidth() {
  const TMemoryDC dc;
  const TSelectObject own(dc.Get(), Font());
  int width = TextSize(dc.Get(), longestInfo_).cx;
  if (widestRow_ >= 0 && widestRow_ < static_cast<int>(rows_.size())) {
    const TSampleRow& widest = rows_[static_cast<size_t>(widestRow_)];
    const TTemporaryFont added(widest.fileName, widest.installed);
    const TFontHandle sample = SampleFont(widest);
    const TSelectObject select(dc.Get(), sample.Get());
    width = std::max(width, static_cast<int>(TextSize(dc.Get(), text_).cx));
  } else {
    width = std::max(width, static_cast<int>(TextSize(dc.Get(), text_).cx));
  }
  sampleWidth_ = width;
  grid_.SetColWidth(sampleWidth_ + ui::TScale(*this)(4));
}

void TMultiSample::UpdateLoaded() {
  if (!list_ || list_->Count() == 0 || syncing_) return;
  // New heights move rows in and out of view: this pass sees to those too.
  syncing_ = true;
  for (int round = 0; round < 16; ++round) {
    const multi_sample::TRowRange wanted =
        multi_sample::WantedRows(grid_.Rows(), grid_.TopRow(), grid_.ClientHeight());
    fonts_.Sync(rows_, wanted);
    if (!MeasureRows(wanted.first, wanted.last, true)) break;
    UpdateGeometry();
  }
  syncing_ = false;
}

void TMultiSample::MakeRowVisible(int index) {
  const int top = multi_sample::TopRowToShow(index, grid_.TopRow(), grid_.VisibleRowCount(),
                                             grid_.RowCount());
  if (top >= 0) grid_.SetTopRow(top);
}

TFontFileInfo* TMultiSample::ClickedFont() const {
  if (clickedRow_ < 0 || clickedRow_ >= static_cast<int>(rows_.size()) || !list_) return nullptr;
  const TSampleRow& row = rows_[static_cast<size_t>(clickedRow_)];
  // A list changed since the rebuild may hold another record there by now.
  if (row.listIndex >= list_->Count()) return nullptr;
  TFontFileInfo* record = list_->Items(row.listIndex);
  return record->IsFace(row.fileName, row.face) ? record : nullptr;
}

// ---- Drawing ------------------------------------------------------------------

void TMultiSample::DrawCell(HDC dc, int row, const RECT& cell) {
  const TBrushHandle background(CreateSolidBrush(fontBgColor_));
  FillRect(dc, &cell, background.Get());
  if (!list_ || list_->Count() <= row || row >= static_cast<int>(rows_.size())) return;
  const TSampleRow& sample = rows_[static_cast<size_t>(row)];
  const TRowRect rect{cell.left, cell.top, cell.right, cell.bottom};
  SetBkMode(dc, TRANSPARENT);
  int sampleHeight = 0;
  {
    const TFontHandle font = SampleFont(sample);
    const TSelectObject select(dc, font.Get());
    SetTextColor(dc, fontColor_);
    sampleHeight = GmHeight(dc);
    DrawLine(dc, text_, multi_sample::SampleRect(rect, sampleHeight));
  }
  const TSelectObject own(dc, Font());
  SetTextColor(dc, fontInfoColor_);
  DrawLine(dc, sample.info, multi_sample::InfoRect(rect, sampleHeight));
}
