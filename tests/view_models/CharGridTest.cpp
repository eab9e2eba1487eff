// The character map's grid: rows for a column count, the share of the width
// among the columns, the selection and its scrolling, the navigation keys,
// hit testing, the labels and the size of the magnifying popup.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "views/model/CharGrid.h"
#include "views/model/CodePointText.h"

namespace {

constexpr int kScrollBar = 16;

// A grid whose client area is exactly `width` × `height`.
TCharGrid GridOf(int width, int height, int columns = 5) {
  TCharGrid grid;
  grid.SetGridSize(width + kScrollBar + TCharGrid::kBorder, height + TCharGrid::kBorder, kScrollBar);
  grid.SetColumns(columns);
  return grid;
}

// The cell under a point, {-1, -1} for none.
std::pair<int, int> Cell(const TCharGrid& grid, int x, int y) {
  int column = -1;
  int row = -1;
  return grid.CellAt(x, y, column, row) ? std::pair{column, row} : std::pair{-1, -1};
}

// The code selected after a key, -1 when the grid refuses the key.
int Moved(TCharGrid& grid, TGridMove move) { return grid.Move(move) ? grid.Selected() : -1; }

std::vector<int> Widths(const TCharGrid& grid) {
  std::vector<int> widths;
  for (int c = 0; c < grid.Columns(); ++c) widths.push_back(grid.ColumnWidth(c));
  return widths;
}

TEST(CharGrid, StartsWithFiveColumnsCodeZeroAndEightMaxColumnsRowsHoldAll256Codes) {
  const TCharGrid fresh;
  EXPECT_EQ(fresh.Columns(), 5);
  EXPECT_EQ(fresh.RowCount(), 52);
  EXPECT_EQ(fresh.Selected(), 0);
  EXPECT_EQ(fresh.MaxColumns(), 8);
  EXPECT_EQ(fresh.TopRow(), 0);
  EXPECT_GE(fresh.RowHeight(), 1);  // no width yet, still no zero row height

  EXPECT_EQ(TCharGrid::RowsFor(1), 256);
  EXPECT_EQ(TCharGrid::RowsFor(16), 16);
  EXPECT_EQ(TCharGrid::RowsFor(20), 13);
  EXPECT_EQ(TCharGrid::RowsFor(0), 256);
  // The last row's tail is empty.
  TCharGrid grid = GridOf(1000, 600, 20);
  EXPECT_EQ(grid.CodeAt(15, 12), 255);
  EXPECT_EQ(grid.CodeAt(16, 12), 256);
  for (int c = 16; c < 20; ++c) EXPECT_FALSE(grid.SelectCell(c, 12)) << c;
  EXPECT_TRUE(grid.SelectCell(15, 12));
  EXPECT_EQ(grid.Selected(), 255);

  grid.SetColumns(5);
  EXPECT_EQ(grid.RowCount(), 52);
  for (int c = 1; c < 5; ++c) EXPECT_FALSE(grid.SelectCell(c, 51)) << c;
  EXPECT_EQ(grid.Selected(), 255);
  EXPECT_EQ(grid.CodeAt(5, 0), -1);
  EXPECT_EQ(grid.CodeAt(0, 52), -1);
}

TEST(CharGrid, WidthIsSharedWithTheRemainderToTheRightAndRowsAre1Point2Times) {
  // 107 pixels, 4 of them grid lines: 103 for 5 columns.
  TCharGrid grid = GridOf(107, 400);
  EXPECT_EQ(Widths(grid), (std::vector<int>{20, 20, 21, 21, 21}));
  EXPECT_EQ(grid.RowHeight(), 24);  // 1.2 × 20
  EXPECT_EQ(grid.MaxColumns(), 5);  // 107 / 21

  // The columns and their lines fill the client width exactly.
  grid = GridOf(503, 400, 3);
  EXPECT_EQ(Widths(grid), (std::vector<int>{167, 167, 167}));
  EXPECT_EQ(grid.RowHeight(), 200);  // integer part of 200.4
  EXPECT_EQ(grid.CellRect(2, 0), (TGridRect{336, 0, 503, 200}));
  EXPECT_EQ(grid.CellRect(1, 1), (TGridRect{168, 201, 335, 401}));
}

TEST(CharGrid, NarrowingLowersColumnsToMaxColumnsAndKeepsTheSelectedCode) {
  TCharGrid grid = GridOf(400, 300, 12);
  grid.SelectChar(200);
  // 148 pixels hold 7 columns of 21.
  EXPECT_TRUE(grid.SetGridSize(148 + kScrollBar + 4, 304, kScrollBar));
  EXPECT_EQ(grid.MaxColumns(), 7);
  EXPECT_EQ(grid.Columns(), 7);
  EXPECT_EQ(grid.Selected(), 200);
  EXPECT_GE(200 / 7, grid.TopRow());
  EXPECT_LE(200 / 7, grid.TopRow() + grid.ViewRows() - 1);
  // Widening leaves the column count alone.
  EXPECT_FALSE(grid.SetGridSize(800, 304, kScrollBar));
  EXPECT_EQ(grid.Columns(), 7);
  // At 192 dpi a column is at least 40 pixels: 148 pixels hold 3 of 41.
  EXPECT_TRUE(grid.SetGridSize(148 + kScrollBar + 4, 304, kScrollBar, 40));
  EXPECT_EQ(grid.MaxColumns(), 3);
  EXPECT_EQ(grid.Columns(), 3);
  // Not even one column fits: MaxColumns is still 1.
  EXPECT_TRUE(grid.SetGridSize(10, 10, kScrollBar));
  EXPECT_EQ(grid.MaxColumns(), 1);
  EXPECT_EQ(grid.Columns(), 1);
  EXPECT_EQ(grid.Selected(), 200);
}

TEST(CharGrid, SelectCharScrollsOnlyWhenTheRowIsOutOfTheViewRows) {
  // Rows of 120 pixels, pitch 121: 5 view rows in 600 pixels, 4 wholly visible.
  TCharGrid grid = GridOf(504, 600);
  ASSERT_EQ(grid.RowHeight(), 120);
  ASSERT_EQ(grid.ViewRows(), 5);
  ASSERT_EQ(grid.FullyVisibleRows(), 4);
  grid.SelectChar(24);  // row 4: within rows 0 .. 4
  EXPECT_EQ(grid.TopRow(), 0);
  grid.SelectChar(100);  // row 20 begins the view
  EXPECT_EQ(grid.TopRow(), 20);
  grid.SelectChar(3);
  EXPECT_EQ(grid.TopRow(), 0);
  grid.SelectChar(1000);  // clamped to 255, row 51; top at most 52 - 4
  EXPECT_EQ(grid.Selected(), 255);
  EXPECT_EQ(grid.TopRow(), 48);
  grid.SelectChar(-7);
  EXPECT_EQ(grid.Selected(), 0);
  EXPECT_EQ(grid.TopRow(), 0);
}

TEST(CharGrid, ChangingColumnsKeepsTheCharacterSelectedAndInView) {
  TCharGrid grid = GridOf(504, 600);
  grid.SelectChar(33);
  EXPECT_TRUE(grid.SetColumns(1));
  EXPECT_EQ(grid.Selected(), 33);
  EXPECT_EQ(grid.SelectedRow(), 33);
  EXPECT_EQ(grid.TopRow(), 33);
  EXPECT_FALSE(grid.SetColumns(1));
  EXPECT_TRUE(grid.SetColumns(16));
  EXPECT_EQ(grid.SelectedColumn(), 1);
  EXPECT_EQ(grid.SelectedRow(), 2);
  EXPECT_LE(grid.TopRow(), 2);
  // A cleared selection comes back as code 0.
  grid.ClearSelection();
  grid.SetColumns(4);
  EXPECT_EQ(grid.Selected(), 0);
}

TEST(CharGrid, HitTestingCountsEachLineWithTheCellBeforeIt) {
  TCharGrid grid = GridOf(503, 600, 3);  // columns of 167, rows of 200
  EXPECT_EQ(Cell(grid, 0, 0), (std::pair{0, 0}));
  EXPECT_EQ(Cell(grid, 167, 200), (std::pair{0, 0}));  // on both lines
  EXPECT_EQ(Cell(grid, 168, 201), (std::pair{1, 1}));
  EXPECT_EQ(Cell(grid, 503, 10), (std::pair{-1, -1}));
  EXPECT_EQ(Cell(grid, -1, 10), (std::pair{-1, -1}));
  grid.SetTopRow(10);
  EXPECT_EQ(Cell(grid, 10, 10), (std::pair{0, 10}));
  grid.SetTopRow(1000);
  EXPECT_EQ(grid.TopRow(), grid.MaxTopRow());
  EXPECT_EQ(grid.MaxTopRow(), 86 - 2);  // 2 rows of pitch 201 fit in 600
}

TEST(CharGrid, KeysMoveWithinTheCodesAndScrollTheSelectionIntoView) {
  TCharGrid grid = GridOf(504, 600);  // 4 rows wholly visible
  grid.SelectChar(0);
  EXPECT_EQ(Moved(grid, TGridMove::Left), -1);
  EXPECT_EQ(Moved(grid, TGridMove::Up), -1);
  EXPECT_EQ(Moved(grid, TGridMove::Right), 1);
  EXPECT_EQ(Moved(grid, TGridMove::End), 4);
  EXPECT_EQ(Moved(grid, TGridMove::Right), -1);
  EXPECT_EQ(Moved(grid, TGridMove::Home), 0);
  for (int code : {5, 10, 15, 20}) EXPECT_EQ(Moved(grid, TGridMove::Down), code);
  EXPECT_EQ(grid.TopRow(), 1);  // row 4 wholly shown
  EXPECT_EQ(Moved(grid, TGridMove::PageDown), 40);
  EXPECT_EQ(grid.TopRow(), 5);
  EXPECT_EQ(Moved(grid, TGridMove::PageUp), 20);
  EXPECT_EQ(grid.TopRow(), 1);

  // Past 255: steps are refused, jumps stop at 255.
  grid.SelectChar(253);
  EXPECT_EQ(Moved(grid, TGridMove::Down), -1);
  EXPECT_EQ(grid.Selected(), 253);
  EXPECT_EQ(Moved(grid, TGridMove::Last), 255);
  EXPECT_EQ(grid.TopRow(), grid.MaxTopRow());
  for (TGridMove refused : {TGridMove::Right, TGridMove::End, TGridMove::PageDown})
    EXPECT_EQ(Moved(grid, refused), -1);
  EXPECT_EQ(Moved(grid, TGridMove::First), 0);
  EXPECT_EQ(grid.TopRow(), 0);

  // Nothing selected: a key selects the first shown cell.
  grid.SetTopRow(7);
  grid.ClearSelection();
  EXPECT_EQ(Moved(grid, TGridMove::Down), 35);
}

TEST(CharGrid, LabelsGiveCodeNamesAndQuotedPrintables) {
  EXPECT_EQ(CharLabel(65, true, true), "65 \"A\"");
  EXPECT_EQ(CharLabel(13, true, true), "13 (CR)");
  EXPECT_EQ(CharLabel(200, true, true), "200 ");
  EXPECT_EQ(CharLabel(65, false, false), "");
  EXPECT_EQ(CharLabel(65, true, false), "65 ");
  EXPECT_EQ(CharLabel(34, false, true), "\"\"\"");
  const char* names[][2] = {{"0", "(NUL)"}, {"9", "(TAB)"}, {"10", "(LF)"}, {"27", "(ESC)"}};
  for (const auto& n : names) EXPECT_EQ(CharLabel(std::stoi(n[0]), false, true), n[1]);
  EXPECT_EQ(CharLabel(31, false, true), "");
  EXPECT_EQ(CharLabel(32, false, true), "\" \"");
  EXPECT_EQ(CharLabel(126, false, true), "\"~\"");
  EXPECT_EQ(CharLabel(127, false, true), "");
  EXPECT_EQ(CharLabel(256, true, true), "");
  EXPECT_EQ(CharLabel(-1, true, true), "");
}

TEST(CharGrid, ZoomBoxIs1Point2TimesAsHighAsWideRoundedHalfToEvenPlus40) {
  EXPECT_EQ(RoundHalfEven(5, 2), 2);
  EXPECT_EQ(RoundHalfEven(7, 2), 4);
  EXPECT_EQ(RoundHalfEven(-5, 2), -2);
  EXPECT_EQ(RoundHalfEven(11, 5), 2);
  // Tall: the width follows the height. 300 / 1.2 = 250.
  EXPECT_EQ(ZoomFormSize(100, 300), (TZoomSize{290, 340}));
  // Wide: the height follows the width. 200 × 1.2 = 240.
  EXPECT_EQ(ZoomFormSize(200, 100), (TZoomSize{240, 280}));
  // Equal to 1.2 × width counts as tall: 12 / 1.2 = 10.
  EXPECT_EQ(ZoomFormSize(10, 12), (TZoomSize{50, 52}));
  // Halves to even: 15 / 1.2 = 12.5 gives 12; 21 / 1.2 = 17.5 gives 18.
  EXPECT_EQ(ZoomFormSize(1, 15), (TZoomSize{52, 55}));
  EXPECT_EQ(ZoomFormSize(1, 21), (TZoomSize{58, 61}));
  EXPECT_EQ(ZoomFormSize(25, 29), (TZoomSize{65, 70}));  // 29 < 30: height 30
  EXPECT_EQ(ZoomFormSize(-5, -5), (TZoomSize{40, 40}));
  EXPECT_EQ(ZoomFormSize(200, 100, 80), (TZoomSize{280, 320})) << "the margin at 192 dpi";
}

TEST(CharGrid, AFacesCodePointsFillAsManyCellsAsItMapsAndTheGoToBoxReadsCodesOrCharacters) {
  TCharGrid grid = GridOf(500, 300);
  grid.SetCellCount(34600);
  EXPECT_EQ(grid.RowCount(), 6920);
  grid.SelectChar(99999);
  EXPECT_EQ(grid.Selected(), 34599);
  EXPECT_EQ(Moved(grid, TGridMove::Right), -1) << "no step past the last code point";
  EXPECT_EQ(Moved(grid, TGridMove::First), 0);
  grid.SetCellCount(3);  // another face: the selection stays within it
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(Moved(grid, TGridMove::Last), 2);
  grid.SetCellCount(0);
  EXPECT_EQ(grid.Selected(), -1);
  EXPECT_FALSE(grid.SelectCell(0, 0));

  EXPECT_EQ(ParseGoTo(u"U+4E00"), U'\x4E00');
  EXPECT_EQ(ParseGoTo(u" u+1f600 "), U'\x1F600');
  EXPECT_EQ(ParseGoTo(u"4e00"), U'\x4E00');
  EXPECT_EQ(ParseGoTo(u"41"), U'A');
  EXPECT_EQ(ParseGoTo(u"A"), U'A') << "one character is itself";
  EXPECT_EQ(ParseGoTo(u"一"), U'\x4E00');
  EXPECT_EQ(ParseGoTo(u"\xD83D\xDE00"), U'\x1F600');
  for (const char16_t* bad : {u"", u"U+", u"U+110000", u"4G00", u"一二", u"1234567", u"\xD83D"})
    EXPECT_EQ(ParseGoTo(bad), std::nullopt) << std::u16string(bad).size();
  EXPECT_EQ(CodePointLabel(0x41), "U+0041");
  EXPECT_EQ(CodePointLabel(0x1F600), "U+1F600");
  EXPECT_EQ(HexBytes("\xD2\xBB"), "D2BB");
  EXPECT_EQ(Utf16Of(0x1F600), u"\xD83D\xDE00");
}

}  // namespace
