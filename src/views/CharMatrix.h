// TCharMatrix: the character map. The 256 codes of one font's default
// character set in a grid of cells 1.2 times as high as wide, each with the
// character drawn large and a small label of its code and name; a double
// click (or Zoom) shows the selected character magnified. In the Unicode
// mode the cells hold every code point the face maps instead, and a double
// click collects the character.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Handles.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "views/CharMatrixGrid.h"
#include "views/CharMatrixText.h"

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
  // `style`: where the name is a family's, the face's own weight and slant.
  void SetFontName(const std::string& name, charmap::TFaceStyle style = {});
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

  // The face the Unicode mode shows: its file and which face of it. Its code
  // points are read when the mode needs them, once per face.
  void SetFontFile(const std::string& path, uint32_t face);
  bool UnicodeMode() const { return grid_.CodePoints() != nullptr; }
  // Each mode keeps its own selection.
  void SetUnicodeMode(bool unicode);
  // The face's code points, ascending; empty outside the Unicode mode.
  const std::vector<char32_t>& CodePoints() const;
  // The selected one in the Unicode mode.
  std::optional<char32_t> SelectedCodePoint() const;
  // Selects the code point, or the first the face maps after it, and scrolls
  // it into view; false when there is none.
  bool GoTo(char32_t c);
  // Selects the face's first code point of the range and puts its row on top.
  bool GoToRange(char32_t first, char32_t last);
  // The selected code point onto the clipboard as Unicode text.
  bool CopyChar();

  // A double click in the Unicode mode: the character to collect.
  std::function<void(char32_t)> OnCollect;
  std::function<void()> OnSelectionChange;
  // The Unicode mode came or went, or shows another face's code points.
  std::function<void()> OnCodePointsChange;

  TCharMatrixGrid& Grid() { return grid_; }
  const TCharMatrixGrid& Grid() const { return grid_; }

  // OnResize (inherited) runs after MaxColumns and the widths were reckoned.

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ColorsChanged();
  void ShowCodePoints();
  void DoubleClicked();

  TCharMatrixGrid grid_;
  std::string fontName_;
  charmap::TFaceStyle style_;
  int fontSize_ = 36;
  COLORREF fontColor_;
  COLORREF infoColor_;
  TFontHandle charFont_;

  // The face's code points, read on demand; a few faces are kept, so that
  // going back and forth in a list reads each once.
  struct TFaceCodePoints {
    std::string path;
    uint32_t face = 0;
    std::vector<char32_t> points;
  };
  static constexpr size_t kFacesKept = 8;
  std::vector<std::unique_ptr<TFaceCodePoints>> faces_;  // the newest last
  std::string fontFile_;
  uint32_t fontFace_ = 0;
  bool unicode_ = false;
  int codeSelected_ = 0;  // the 256 codes' selection while the other mode shows
};
