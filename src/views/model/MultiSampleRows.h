// The row geometry of the multiple sample view, which rows it keeps fonts
// added for, where it scrolls to show a row and what its keys scroll.
// Pure arithmetic over row heights: no window, no font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/FontKind.h"

// One row as the last rebuild saw its record, so that drawing and the added
// fonts never depend on a list that changed since.
struct TSampleRow {
  int listIndex = 0;        // the record's place in the font file list
  std::string fileName;     // full path, ANSI
  uint32_t face = 0;        // which face of the file
  bool installed = false;
  std::wstring faceName;    // the record's display name
  int weight = 400;         // and the face's weight and slant where that is a family's
  bool italic = false;
  std::wstring info;        // font name, five spaces, file name
  int height = 0;           // a guess until the row is measured
  bool measured = false;
};

struct TRowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const TRowRect&) const = default;
};

namespace multi_sample {

// A row whose sample is `sampleHeight` high and whose information line is
// set in a font `infoHeight` high.
constexpr int RowHeight(int sampleHeight, int infoHeight) { return sampleHeight + infoHeight + 9; }
TRowRect SampleRect(const TRowRect& cell, int sampleHeight);
TRowRect InfoRect(const TRowRect& cell, int sampleHeight);
std::wstring InfoLine(std::wstring_view fontName, std::wstring_view fileName);

}  // namespace multi_sample

// Rows of differing heights shown from a top row in a view `viewHeight` high.
class TRowLayout {
 public:
  void Assign(std::vector<int> heights);
  int Count() const { return static_cast<int>(heights_.size()); }
  int Height(int row) const { return heights_[static_cast<size_t>(row)]; }
  // Sum of the heights of rows [from, to).
  int64_t Span(int from, int to) const { return tops_[static_cast<size_t>(to)] - tops_[static_cast<size_t>(from)]; }

  // Rows wholly in view from `top`.
  int FullyVisible(int top, int viewHeight) const;
  // The largest top row that still leaves no room below the last row: the
  // rows from it to the end fit, the row before them would not.
  int MaxTopRow(int viewHeight) const;
  // The row at `y` (view coordinates) with `top` at the top, or -1 below the last.
  int RowAt(int top, int y) const;

 private:
  std::vector<int> heights_;
  std::vector<int64_t> tops_{0};  // tops_[r]: sum of heights before row r
};

namespace multi_sample {

// The rows whose fonts belong in the system's table with `top` at the top:
// those wholly in view and, when there is room below them, the next one.
// Half-open [first, last).
struct TRowRange {
  int first = 0;
  int last = 0;
  bool operator==(const TRowRange&) const = default;
};
TRowRange WantedRows(const TRowLayout& rows, int top, int viewHeight);

// The top row that brings `index` into view, or -1 to leave the view alone;
// `visible` is the count of rows wholly in view.
int TopRowToShow(int index, int top, int visible, int count);

// What a key scrolls: a WM_VSCROLL / WM_HSCROLL code.
struct TKeyScroll {
  bool vertical = true;
  int code = 0;
  bool operator==(const TKeyScroll&) const = default;
};
enum : uint16_t { kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24,
                  kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28 };
enum : unsigned { kShiftKey = 1, kAltKey = 2, kCtrlKey = 4 };
// False for a key that scrolls nothing. `shift` is a set of the flags above.
bool KeyScroll(uint16_t key, unsigned shift, TKeyScroll& scroll);

}  // namespace multi_sample
