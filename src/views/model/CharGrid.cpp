#include "views/model/CharGrid.h"

#include <algorithm>

TCharGrid::TCharGrid() { ComputeWidths(); }

int TCharGrid::RowsFor(int columns, int cells) {
  columns = std::max(1, columns);
  return std::max(1, cells / columns + (cells % columns != 0 ? 1 : 0));
}

void TCharGrid::SetCellCount(int cells) {
  cells = std::max(0, cells);
  if (cells == cellCount_) return;
  cellCount_ = cells;
  selected_ = cells == 0 ? -1 : std::min(std::max(selected_, 0), cells - 1);
  SetTopRow(topRow_);
}

bool TCharGrid::SetColumns(int columns) {
  columns = std::max(1, columns);
  if (columns == columns_) return false;
  const int remembered = selected_;
  columns_ = columns;
  ComputeWidths();
  SelectChar(remembered);
  SetTopRow(topRow_);  // fewer rows may have lowered the deepest top row
  return true;
}

bool TCharGrid::SetGridSize(int width, int height, int scrollBarWidth, int minColumnWidth) {
  clientWidth_ = std::max(0, width - scrollBarWidth - kBorder);
  clientHeight_ = std::max(0, height - kBorder);
  maxColumns_ = std::max(1, clientWidth_ / (kLineWidth + std::max(1, minColumnWidth)));
  if (columns_ > maxColumns_) return SetColumns(maxColumns_);
  ComputeWidths();
  SetTopRow(topRow_);
  return false;
}

void TCharGrid::ComputeWidths() {
  widths_.assign(static_cast<size_t>(columns_), 0);
  lefts_.assign(static_cast<size_t>(columns_), 0);
  // The remainder of the division goes to the right-hand columns.
  int rest = std::max(0, clientWidth_ - (columns_ - 1) * kLineWidth);
  int left = 0;
  for (int i = 0; i < columns_; ++i) {
    const int width = rest / (columns_ - i);
    rest -= width;
    widths_[static_cast<size_t>(i)] = width;
    lefts_[static_cast<size_t>(i)] = left;
    left += width + kLineWidth;
  }
  // A grid too narrow for any cell still has rows one pixel high, never zero.
  rowHeight_ = std::max(1, widths_[0] * 6 / 5);
}

TGridRect TCharGrid::CellRect(int column, int row) const {
  const int left = lefts_[static_cast<size_t>(column)];
  const int top = (row - topRow_) * (rowHeight_ + kLineWidth);
  return {left, top, left + widths_[static_cast<size_t>(column)], top + rowHeight_};
}

bool TCharGrid::CellAt(int x, int y, int& column, int& row) const {
  if (x < 0 || y < 0 || x >= clientWidth_) return false;
  for (int c = 0; c < columns_; ++c) {
    const int left = lefts_[static_cast<size_t>(c)];
    if (x >= left && x < left + widths_[static_cast<size_t>(c)] + kLineWidth) {
      const int r = topRow_ + y / (rowHeight_ + kLineWidth);
      if (r >= RowCount()) return false;
      column = c;
      row = r;
      return true;
    }
  }
  return false;
}

int TCharGrid::CodeAt(int column, int row) const {
  if (column < 0 || column >= columns_ || row < 0 || row >= RowCount()) return -1;
  return row * columns_ + column;
}

void TCharGrid::SelectChar(int code) {
  if (cellCount_ == 0) return;
  code = std::clamp(code, 0, cellCount_ - 1);
  selected_ = code;
  const int row = code / columns_;
  const int rows = ViewRows();
  if (topRow_ <= row && row <= topRow_ + rows - 1) return;
  SetTopRow(std::min(row, RowCount() - rows + 1));
}

bool TCharGrid::SelectCell(int column, int row) {
  const int code = CodeAt(column, row);
  if (code < 0 || code >= cellCount_) return false;
  selected_ = code;
  ScrollIntoView(row);
  return true;
}

void TCharGrid::ScrollIntoView(int row) {
  const int rows = FullyVisibleRows();
  if (row < topRow_) {
    SetTopRow(row);
  } else if (row >= topRow_ + rows) {
    SetTopRow(row - rows + 1);
  }
}

bool TCharGrid::Move(TGridMove move) {
  if (selected_ < 0) return SelectCell(0, topRow_);
  int column = SelectedColumn();
  int row = SelectedRow();
  const int lastColumn = columns_ - 1;
  const int lastRow = RowCount() - 1;
  const int page = FullyVisibleRows();
  bool jump = false;
  switch (move) {
    case TGridMove::Left:
      column = std::max(0, column - 1);
      break;
    case TGridMove::Right:
      column = std::min(lastColumn, column + 1);
      break;
    case TGridMove::Up:
      row = std::max(0, row - 1);
      break;
    case TGridMove::Down:
      row = std::min(lastRow, row + 1);
      break;
    case TGridMove::Home:
      column = 0;
      break;
    case TGridMove::End:
      column = lastColumn;
      jump = true;
      break;
    case TGridMove::PageUp:
      row = std::max(0, row - page);
      break;
    case TGridMove::PageDown:
      row = std::min(lastRow, row + page);
      jump = true;
      break;
    case TGridMove::First:
      column = 0;
      row = 0;
      break;
    case TGridMove::Last:
      column = lastColumn;
      row = lastRow;
      jump = true;
      break;
  }
  int code = row * columns_ + column;
  if (code >= cellCount_) {
    if (!jump) return false;
    code = cellCount_ - 1;
  }
  if (code == selected_) return false;
  // A page key turns the view by a page as well as the selection.
  if (move == TGridMove::PageUp) SetTopRow(topRow_ - page);
  if (move == TGridMove::PageDown) SetTopRow(topRow_ + page);
  selected_ = code;
  ScrollIntoView(code / columns_);
  return true;
}

bool TCharGrid::SetTopRow(int row) {
  row = std::clamp(row, 0, MaxTopRow());
  if (row == topRow_) return false;
  topRow_ = row;
  return true;
}

int TCharGrid::MaxTopRow() const { return std::max(0, RowCount() - FullyVisibleRows()); }

int TCharGrid::FullyVisibleRows() const {
  return std::max(1, (clientHeight_ + kLineWidth) / (rowHeight_ + kLineWidth));
}

int TCharGrid::ViewRows() const { return clientHeight_ / rowHeight_; }

std::string CharLabel(int code, bool values, bool chars) {
  std::string label;
  if (code < 0 || code >= kCharCodes) return label;
  if (values) label = std::to_string(code) + " ";
  if (!chars) return label;
  const char* name = nullptr;
  switch (code) {
    case 0: name = "NUL"; break;
    case 9: name = "TAB"; break;
    case 10: name = "LF"; break;
    case 13: name = "CR"; break;
    case 27: name = "ESC"; break;
    default: break;
  }
  if (name) {
    label += "(";
    label += name;
    label += ")";
  } else if (code >= 32 && code <= 126) {
    label += '"';
    label += static_cast<char>(code);
    label += '"';
  }
  return label;
}

long long RoundHalfEven(long long numerator, long long denominator) {
  if (numerator < 0) return -RoundHalfEven(-numerator, denominator);
  const long long quotient = numerator / denominator;
  const long long twice = 2 * (numerator % denominator);
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) return quotient + 1;
  return quotient;
}

TZoomSize ZoomFormSize(int textWidth, int textHeight, int margin) {
  long long width = std::max(0, textWidth);
  long long height = std::max(0, textHeight);
  if (height >= RoundHalfEven(width * 6, 5)) {
    width = RoundHalfEven(height * 5, 6);
  } else {
    height = RoundHalfEven(width * 6, 5);
  }
  return {static_cast<int>(width) + margin, static_cast<int>(height) + margin};
}
