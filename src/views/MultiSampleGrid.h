// The grid of the multiple sample view: one owner-drawn column of rows of
// differing heights, scrolled vertically by whole rows (the top row) and
// horizontally by pixels, with both scroll bars shown as needed.
#pragma once

#include <functional>
#include <vector>

#include "ui/Panel.h"
#include "views/model/MultiSampleRows.h"

class TMultiSampleGrid : public TCustomControl {
 public:
  explicit TMultiSampleGrid(TControl& parent);

  // New rows; the top row stays where it was as far as the rows allow.
  void SetRows(std::vector<int> heights);
  const TRowLayout& Rows() const { return rows_; }
  int RowCount() const { return rows_.Count(); }
  int ColWidth() const { return colWidth_; }
  void SetColWidth(int width);
  int TopRow() const { return top_; }
  // Clamped to the rows; raises OnTopLeftChanged when it moved.
  void SetTopRow(int row);
  int LeftPos() const { return left_; }
  // Rows wholly in view.
  int VisibleRowCount() const { return rows_.FullyVisible(top_, ClientHeight()); }
  // The row of the cell at a client point, or -1 outside every cell.
  int MouseRow(int x, int y) const;
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  std::function<void(HDC dc, int row, const RECT& cell)> OnDrawCell;
  std::function<void()> OnTopLeftChanged;
  std::function<void(int x, int y)> OnMouseDown;  // the left button
  std::function<void()> OnDblClick;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& update) override;

 private:
  int MaxLeft() const;
  void Scroll(bool vertical, int code);
  void MoveTo(int top, int left);
  void UpdateScrollBars();

  TRowLayout rows_;
  int colWidth_ = 64;
  int top_ = 0;
  int left_ = 0;
  COLORREF color_;
  bool updatingBars_ = false;
};
