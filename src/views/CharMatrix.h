// TCharMatrix: the character map. The 256 codes of one font's default
// character set in a grid of cells 1.2 times as high as wide, each with the
// character drawn large and a small label of its code and name; a double
// click (or Zoom) shows the selected character magnified.
#pragma once

#include <memory>
#include <string>

#include "ui/Handles.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "views/CharMatrixGrid.h"

class TCharMatrix : public TCompPanel {
 public:
  explicit TCharMatrix(TControl& parent);

  // 1 or more; keeps the selected character selected and in view.
  int Columns() const { return grid_.Model().Columns(); }
  void SetColumns(int columns);
  // The most columns that fit the width (8 until the first resize).
  int MaxColumns() const { return grid_.Model().MaxColumns(); }

  // In the ANSI code page; compared without regard to ASCII case.
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& name);
  int FontSize() const { return fontSize_; }
  void SetFontSize(int points);
  bool ShowASCIIValues() const { return grid_.ShowValues(); }
  void SetShowASCIIValues(bool show);
  bool ShowASCIIChars() const { return grid_.ShowChars(); }
  void SetShowASCIIChars(bool show);
  COLORREF FontBgColor() const { return grid_.Background(); }
  void SetFontBgColor(COLORREF color);
  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);
  COLORREF FontInfoColor() const { return infoColor_; }
  void SetFontInfoColor(COLORREF color);

  // The grid's popup menu, opened by a right click once the cell under the
  // pointer is selected. Not owned.
  TPopupMenu* PopupMenu() const { return grid_.PopupMenu(); }
  void SetPopupMenu(TPopupMenu* menu) { grid_.SetPopupMenu(menu); }

  // Selects the cell of the code (clamped into 0 .. 255) and scrolls it into view.
  void SelectChar(int code);
  // The selected code, -1 when none is.
  int SelectedChar() const { return grid_.Model().Selected(); }
  // Shows the selected character magnified until a key, a click or another
  // window ends it. Nothing when no code is selected.
  void Zoom();

  TCharMatrixGrid& Grid() { return grid_; }
  const TCharMatrixGrid& Grid() const { return grid_; }

  // OnResize (inherited) runs after MaxColumns and the widths were reckoned.

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ColorsChanged();

  TCharMatrixGrid grid_;
  std::string fontName_;
  int fontSize_ = 36;
  COLORREF fontColor_;
  COLORREF infoColor_;
  TFontHandle charFont_;
};
