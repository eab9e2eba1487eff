// The character map's Unicode mode on the characters page: the switch, the
// block list, the go-to box, the copy command and the collected characters.
#include <algorithm>
#include <string>

#include "app/VLMChild.h"
#include "app/ViewLayout.h"
#include "data/UnicodeBlocks.h"
#include "sys/Utf8.h"
#include "sys/sys.h"
#include "ui/Dpi.h"
#include "views/CharMatrixText.h"
#include "views/model/CodePointText.h"

namespace {

constexpr int kRowHeight = 26;
constexpr int kGap = 10;
constexpr int kGoToWidth = 130;
constexpr int kButtonWidth = 75;

// A block's name as the program says it.
std::wstring BlockCaption(const TUnicodeBlock& block) {
  const std::u16string name = sys::Utf8ToUtf16(block.chinese ? block.chinese : block.name);
  return std::wstring(name.begin(), name.end());
}

}  // namespace

void TfrmVLMChild::SetUpUnicodeControls(TCharactersPage& page) {
  const HFONT font = Font();
  const ui::TScale px(*this);
  const int row = px(kRowHeight);
  page.pnlCharactersTop.SetHeight(row);
  page.pnlCharactersTop.SetAlign(alTop);
  page.cbUnicode.SetBounds(0, px(4), CaptionWidth(font, page.cbUnicode.Text(), L"") + px(20), px(17));
  page.lblBlocks.AutoSize();
  page.lblBlocks.SetBounds(page.cbUnicode.Width() + px(kGap), px(6), page.lblBlocks.Width(), page.lblBlocks.Height());
  page.lblBlocks.SetFocusControl(&page.cmbBlocks);
  page.cmbBlocks.SetBounds(page.lblBlocks.Left() + page.lblBlocks.Width() + px(4), px(2), px(100), px(300));

  // Two rows under the map, their labels in a column of their own.
  page.pnlUnicode.SetHeight(2 * row);
  page.pnlUnicode.SetAlign(alBottom);
  const int labels = std::max({FLabelWidth, CaptionWidth(font, page.lblGoTo.Text(), L":") + px(10),
                               CaptionWidth(font, page.lblCollected.Text(), L":") + px(10)});
  page.lblGoTo.AutoSize();
  page.lblGoTo.SetTop(px(6));
  page.lblGoTo.SetFocusControl(&page.edtGoTo);
  page.edtGoTo.SetBounds(labels, px(2), px(kGoToWidth), px(21));
  page.edtGoTo.Perform(EM_SETCUEBANNER, TRUE, ui::AsLParam(L"U+4E00、4E00 或字符"));
  page.edtGoTo.SetPopupMenu(&pmEditBox);
  page.lblCollected.AutoSize();
  page.lblCollected.SetTop(row + px(6));
  page.lblCollected.SetFocusControl(&page.edtCollected);
  page.edtCollected.SetBounds(labels, row + px(2), px(100), px(21));
  page.edtCollected.SetPopupMenu(&pmEditBox);
  page.btnCopyCollected.SetBounds(0, row + px(1), px(kButtonWidth), px(23));

  TCharMatrix& matrix = page.CharMatrix;
  matrix.SetFontFile(FCharactersFile, FCharactersFace);
  matrix.OnCodePointsChange = [this] { CharMatrixCodePointsChange(); };
  matrix.OnSelectionChange = [this] { CharMatrixSelectionChange(); };
  matrix.OnCollect = [this](char32_t c) { CharMatrixCollect(c); };
  page.cbUnicode.OnClick = [this] { cbUnicodeClick(); };
  page.cmbBlocks.OnSelect = [this] { cmbBlocksSelect(); };
  page.edtGoTo.OnLeave = [this] { edtGoToLeave(); };
  page.btnCopyCollected.OnClick = [this] { btnCopyCollectedClick(); };
  page.pnlCharactersTop.OnResize = [this] { pnlCharactersTopResize(); };
  page.pnlUnicode.OnResize = [this] { pnlUnicodeResize(); };
  BindFocusReports({&page.cbUnicode, &page.cmbBlocks, &page.edtGoTo, &page.edtCollected, &page.btnCopyCollected});
  UnicodeModeChanged();
  pnlCharactersTopResize();
  pnlUnicodeResize();
}

void TfrmVLMChild::pnlCharactersTopResize() {
  TCharactersPage& page = *FCharactersPage;
  const ui::TScale px(*this);
  page.cmbBlocks.SetWidth(std::max(px(40), page.pnlCharactersTop.ClientWidth() - page.cmbBlocks.Left()));
}

void TfrmVLMChild::pnlUnicodeResize() {
  TCharactersPage& page = *FCharactersPage;
  const ui::TScale px(*this);
  const int width = page.pnlUnicode.ClientWidth();
  page.btnCopyCollected.SetLeft(std::max(0, width - px(kButtonWidth)));
  page.edtCollected.SetWidth(std::max(px(20), page.btnCopyCollected.Left() - px(4) - page.edtCollected.Left()));
}

void TfrmVLMChild::cbUnicodeClick() {
  TCharactersPage& page = Characters();
  page.CharMatrix.SetUnicodeMode(page.cbUnicode.Checked());
  UnicodeModeChanged();
}

// What only the Unicode mode offers is there only in that mode.
void TfrmVLMChild::UnicodeModeChanged() {
  TCharactersPage& page = *FCharactersPage;
  const bool unicode = page.CharMatrix.UnicodeMode();
  page.lblBlocks.SetEnabled(unicode);
  page.cmbBlocks.SetEnabled(unicode);
  page.pnlUnicode.SetVisible(unicode);
  for (TMenuItem* entry : {&pmCharMatrixCopy, &pmCharMatrixCollect}) {
    entry->SetVisible(unicode);
    entry->SetEnabled(unicode);
  }
}

// The blocks that hold any of the face's code points, in order.
void TfrmVLMChild::CharMatrixCodePointsChange() {
  if (!FCharactersPage) return;  // the page is being built
  TCharactersPage& page = *FCharactersPage;
  std::vector<std::wstring> items;
  page.blockRanges.clear();
  const std::vector<char32_t>& points = page.CharMatrix.CodePoints();
  for (auto at = points.begin(); at != points.end();) {
    const TUnicodeBlock* block = BlockOf(*at);
    if (!block) {
      ++at;
      continue;
    }
    items.push_back(BlockCaption(*block));
    page.blockRanges.emplace_back(block->first, block->last);
    at = std::upper_bound(at, points.end(), block->last);
  }
  page.cmbBlocks.SetItems(items);
  CharMatrixSelectionChange();
}

void TfrmVLMChild::CharMatrixSelectionChange() {
  if (!FCharactersPage) return;
  TCharactersPage& page = *FCharactersPage;
  const std::optional<char32_t> c = page.CharMatrix.SelectedCodePoint();
  int index = -1;
  if (c) {
    const auto& ranges = page.blockRanges;
    const auto at = std::find_if(ranges.begin(), ranges.end(),
                                 [c](const auto& r) { return *c >= r.first && *c <= r.second; });
    if (at != ranges.end()) index = static_cast<int>(at - ranges.begin());
  }
  if (page.cmbBlocks.ItemIndex() != index) page.cmbBlocks.SetItemIndex(index);
}

void TfrmVLMChild::cmbBlocksSelect() {
  TCharactersPage& page = Characters();
  const int index = page.cmbBlocks.ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= page.blockRanges.size()) return;
  const auto [first, last] = page.blockRanges[static_cast<size_t>(index)];
  page.CharMatrix.GoToRange(first, last);
}

// Enter: the code point typed (or the first mapped after it) is selected and
// the map takes the focus; text that names none stays, selected, to retype.
void TfrmVLMChild::edtGoToLeave() {
  TCharactersPage& page = Characters();
  const std::wstring text = page.edtGoTo.Text();
  if (!text.empty()) {
    const std::optional<char32_t> c = ParseGoTo(std::u16string(text.begin(), text.end()));
    if (!c || !page.CharMatrix.GoTo(*c)) {
      page.edtGoTo.SelectAll();
      return;
    }
  }
  page.CharMatrix.SetFocus();
}

void TfrmVLMChild::CharMatrixCollect(char32_t c) {
  TEdit& line = Characters().edtCollected;
  line.SetText(line.Text() + charmap::WideOf(c));
}

void TfrmVLMChild::btnCopyCollectedClick() {
  const std::wstring text = Characters().edtCollected.Text();
  if (!text.empty()) sys::Current().SetClipboardUnicodeText(std::u16string(text.begin(), text.end()));
}

void TfrmVLMChild::pmCharMatrixCopyClick() { Characters().CharMatrix.CopyChar(); }

void TfrmVLMChild::pmCharMatrixCollectClick() {
  TCharMatrix& matrix = Characters().CharMatrix;
  if (const std::optional<char32_t> c = matrix.SelectedCodePoint()) CharMatrixCollect(*c);
}
