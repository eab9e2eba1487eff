// The grid window of the character map: draws the cells of a TCharGrid,
// double-buffered and only where the update rectangle needs it, and turns
// clicks, keys, the wheel and its scroll bar into changes of the model.
#pragma once

#include <functional>
#include <vector>

#include "ui/Handles.h"
#include "ui/Panel.h"
#include "views/model/CharGrid.h"

class TCharMatrixGrid : public TCustomControl {
 public:
  explicit TCharMatrixGrid(TControl& parent);

  const TCharGrid& Model() const { return model_; }
  // Changes the model and repaints what the change moved: all of it when the
  // columns changed, else the scrolled strip and the cells of the old and
  // new selection.
  void Change(const std::function<void(TCharGrid&)>& change);
  // Gives the model the window's present size.
  void SizeChanged();

  // Not owned; must outlive the grid's use of it.
  void SetCharFont(HFONT font);
  void SetColors(COLORREF background, COLORREF charColor, COLORREF infoColor);
  COLORREF Background() const { return background_; }
  void SetLabels(bool values, bool chars);
  bool ShowValues() const { return values_; }
  bool ShowChars() const { return chars_; }
  // The code points the cells show in code point order, each labelled with
  // U+ and its code in the ANSI code page; null for the 256 codes. Not
  // owned; must outlive the grid's use of it.
  void SetCodePoints(const std::vector<char32_t>* points);
  const std::vector<char32_t>* CodePoints() const { return points_; }

  std::function<void()> OnDblClick;
  // The selected cell changed, by the user or by a call.
  std::function<void()> OnSelectionChange;

 protected:
  void Paint(HDC dc, const RECT& update) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawCell(HDC dc, int column, int row, HBRUSH lineBrush);
  void DrawCodePointLabels(HDC dc, char32_t c, const RECT& r);
  void InvalidateCode(int code);
  void UpdateScrollBar();
  void ScrollBy(int request, int wheelRows);
  bool KeyDown(WORD key);
  void SelectAt(LPARAM point);

  TCharGrid model_;
  HFONT charFont_ = nullptr;
  COLORREF background_;
  COLORREF charColor_;
  COLORREF infoColor_;
  bool values_ = true;
  bool chars_ = false;
  const std::vector<char32_t>* points_ = nullptr;
};
