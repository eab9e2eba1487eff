#include "views/model/MultiSampleRows.h"

#include <algorithm>

namespace multi_sample {

TRowRect SampleRect(const TRowRect& cell, int sampleHeight) {
  return {cell.left + 2, cell.top + 1, cell.right, cell.top + 1 + sampleHeight};
}

TRowRect InfoRect(const TRowRect& cell, int sampleHeight) {
  return {cell.left + 2, SampleRect(cell, sampleHeight).bottom + 1, cell.right, cell.bottom};
}

std::wstring InfoLine(std::wstring_view fontName, std::wstring_view fileName) {
  std::wstring line;
  line.reserve(fontName.size() + 5 + fileName.size());
  line.append(fontName).append(L"     ").append(fileName);
  return line;
}

}  // namespace multi_sample

void TRowLayout::Assign(std::vector<int> heights) {
  heights_ = std::move(heights);
  tops_.assign(heights_.size() + 1, 0);
  for (size_t r = 0; r < heights_.size(); ++r) tops_[r + 1] = tops_[r] + std::max(0, heights_[r]);
}

int TRowLayout::FullyVisible(int top, int viewHeight) const {
  if (top < 0 || top >= Count()) return 0;
  // The last row r with tops_[r + 1] - tops_[top] <= viewHeight.
  const int64_t limit = tops_[static_cast<size_t>(top)] + std::max(0, viewHeight);
  const auto end = std::upper_bound(tops_.begin() + top + 1, tops_.end(), limit);
  return static_cast<int>(end - (tops_.begin() + top + 1));
}

int TRowLayout::MaxTopRow(int viewHeight) const {
  const int64_t total = tops_.back();
  // The first row r with total - tops_[r] <= viewHeight.
  const auto it = std::lower_bound(tops_.begin(), tops_.end() - 1, total - std::max(0, viewHeight));
  return std::min(static_cast<int>(it - tops_.begin()), std::max(0, Count() - 1));
}

int TRowLayout::RowAt(int top, int y) const {
  if (top < 0 || top >= Count() || y < 0) return -1;
  const int64_t at = tops_[static_cast<size_t>(top)] + y;
  const auto it = std::upper_bound(tops_.begin() + top + 1, tops_.end(), at);
  return it == tops_.end() ? -1 : static_cast<int>(it - tops_.begin()) - 1;
}

namespace multi_sample {

TRowRange WantedRows(const TRowLayout& rows, int top, int viewHeight) {
  const int count = rows.Count();
  if (top < 0 || top >= count) return {};
  const int visible = rows.FullyVisible(top, viewHeight);
  int last = top + visible;
  if (viewHeight > rows.Span(top, last) && last + 1 <= count) ++last;
  return {top, last};
}

int TopRowToShow(int index, int top, int visible, int count) {
  if (index < 0 || index >= count) return -1;
  if (index >= top && index <= top + visible - 1) return -1;
  if (index == top + visible) return top + 1;
  if (index >= count - visible) return count - visible;
  return index;
}

bool KeyScroll(uint16_t key, unsigned shift, TKeyScroll& scroll) {
  const bool none = (shift & (kShiftKey | kCtrlKey | kAltKey)) == 0;
  const bool ctrl = (shift & (kShiftKey | kCtrlKey | kAltKey)) == kCtrlKey;
  // SB_LINEUP/LEFT 0, SB_LINEDOWN/RIGHT 1, SB_PAGEUP/LEFT 2, SB_PAGEDOWN/RIGHT 3,
  // SB_TOP/LEFT 6, SB_BOTTOM/RIGHT 7.
  switch (key) {
    case kVkUp: scroll = {true, none ? 0 : 2}; return true;
    case kVkDown: scroll = {true, none ? 1 : 3}; return true;
    case kVkLeft: scroll = {false, none ? 0 : 2}; return true;
    case kVkRight: scroll = {false, none ? 1 : 3}; return true;
    case kVkPrior: scroll = {true, ctrl ? 6 : 2}; return true;
    case kVkNext: scroll = {true, ctrl ? 7 : 3}; return true;
    case kVkHome: scroll = {false, 6}; return true;
    case kVkEnd: scroll = {false, 7}; return true;
    default: return false;
  }
}

}  // namespace multi_sample
