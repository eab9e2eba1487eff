// The character map's grid without a window: 256 codes in cells 1.2 times as
// high as wide, the column widths for a grid width, the selection with its
// scrolling, the moves of the navigation keys, hit testing, the cell labels
// and the size of the magnifying popup. Coordinates are the grid window's
// client coordinates; every cell has one pixel of grid line to its right and
// below it.
#pragma once

#include <string>
#include <vector>

constexpr int kCharCodes = 256;

struct TGridRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum class TGridMove { Left, Right, Up, Down, Home, End, PageUp, PageDown, First, Last };

class TCharGrid {
 public:
  static constexpr int kLineWidth = 1;
  // The narrowest a column may get, at 96 dpi.
  static constexpr int kMinColumnWidth = 20;
  // The border around the client area of the grid window (2 pixels a side).
  static constexpr int kBorder = 4;

  // 5 columns, code 0 selected, MaxColumns 8 until the first SetGridSize.
  TCharGrid();

  int Columns() const { return columns_; }
  int RowCount() const { return RowsFor(columns_, cellCount_); }
  static int RowsFor(int columns, int cells = kCharCodes);
  // How many cells hold a character: 256 codes, or a face's code points.
  // The selection stays within them (none when there are none).
  int CellCount() const { return cellCount_; }
  void SetCellCount(int cells);
  // Keeps the selected code selected and scrolled into view; below 1 counts
  // as 1. False when the count did not change.
  bool SetColumns(int columns);
  int MaxColumns() const { return maxColumns_; }

  // The outer size of the grid window, the width of its vertical scroll bar
  // and the narrowest column at the window's scale. Recomputes MaxColumns
  // and lowers Columns to it when they no longer fit; true when that changed
  // Columns.
  bool SetGridSize(int width, int height, int scrollBarWidth, int minColumnWidth = kMinColumnWidth);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  int ColumnWidth(int column) const { return widths_[static_cast<size_t>(column)]; }
  int RowHeight() const { return rowHeight_; }
  // The cell without its grid lines, in client coordinates after scrolling.
  TGridRect CellRect(int column, int row) const;
  // The cell whose area (its lines included) holds the point; false when none.
  bool CellAt(int x, int y, int& column, int& row) const;
  // row × Columns + column, or -1 outside the grid.
  int CodeAt(int column, int row) const;

  // -1 when the selection was cleared.
  int Selected() const { return selected_; }
  int SelectedColumn() const { return selected_ < 0 ? -1 : selected_ % columns_; }
  int SelectedRow() const { return selected_ < 0 ? -1 : selected_ / columns_; }
  // Clamps the code into 0 .. 255, selects it, and scrolls so that its row
  // begins the view unless the row lies within the rows the view holds.
  void SelectChar(int code);
  // Selects a cell the user pointed at and brings it wholly into view;
  // false (and nothing changes) when its code is past 255.
  bool SelectCell(int column, int row);
  void ClearSelection() { selected_ = -1; }
  // The navigation keys; a step that would leave the codes is refused, a
  // jump (End, Page Down, Ctrl+End) stops at 255. True when the selection moved.
  bool Move(TGridMove move);

  int TopRow() const { return topRow_; }
  // Clamped into 0 .. MaxTopRow; true when it changed.
  bool SetTopRow(int row);
  int MaxTopRow() const;
  // Rows wholly inside the client area, at least 1.
  int FullyVisibleRows() const;
  // The rows the selection rule counts as in view: client height over row height.
  int ViewRows() const;

 private:
  void ComputeWidths();
  void ScrollIntoView(int row);

  int columns_ = 5;
  int maxColumns_ = 8;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  std::vector<int> widths_;
  std::vector<int> lefts_;
  int rowHeight_ = 1;
  int cellCount_ = kCharCodes;
  int selected_ = 0;
  int topRow_ = 0;
};

// A cell's small label: the code and a space when `values`; with `chars` the
// name of a control code in parentheses or a printable character in double
// quotes. Empty for codes past 255.
std::string CharLabel(int code, bool values, bool chars);

// numerator / denominator to the nearest integer, halves to even; denominator > 0.
long long RoundHalfEven(long long numerator, long long denominator);

struct TZoomSize {
  int width = 0;
  int height = 0;
  bool operator==(const TZoomSize&) const = default;
};
// The magnifying popup's margin around the character, at 96 dpi.
constexpr int kZoomMargin = 40;
// The magnifying popup for a character of that text width and height: a box
// of height : width = 1.2 : 1 around the character, `margin` pixels larger
// each way.
TZoomSize ZoomFormSize(int textWidth, int textHeight, int margin = kZoomMargin);
