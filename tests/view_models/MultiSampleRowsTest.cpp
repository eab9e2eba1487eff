#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/memory/MemoryBackend.h"
#include "views/model/MultiSampleFonts.h"
#include "views/model/MultiSampleRows.h"

using namespace multi_sample;

namespace {

TRowLayout Layout(std::vector<int> heights) {
  TRowLayout rows;
  rows.Assign(std::move(heights));
  return rows;
}

}  // namespace

TEST(MultiSampleRows, RowGeometry) {
  EXPECT_EQ(RowHeight(24, 12), 45);
  const TRowRect cell{10, 100, 300, 145};
  EXPECT_EQ(SampleRect(cell, 24), (TRowRect{12, 101, 300, 125}));
  EXPECT_EQ(InfoRect(cell, 24), (TRowRect{12, 126, 300, 145}));
  EXPECT_EQ(InfoLine(L"DejaVu Sans", L"C:\\F\\A.TTF"), L"DejaVu Sans     C:\\F\\A.TTF");
}

TEST(MultiSampleRows, VisibleRowsTopRowHitTestAndWantedRows) {
  const TRowLayout rows = Layout({30, 40, 50, 30, 20});  // 170 in all
  EXPECT_EQ(rows.FullyVisible(0, 120), 3);
  EXPECT_EQ(rows.FullyVisible(0, 119), 2);
  EXPECT_EQ(rows.FullyVisible(3, 1000), 2);
  EXPECT_EQ(rows.FullyVisible(0, 10), 0);
  EXPECT_EQ(rows.FullyVisible(5, 100), 0);
  EXPECT_EQ(rows.MaxTopRow(100), 2);  // 50 + 30 + 20 fit exactly
  EXPECT_EQ(rows.MaxTopRow(99), 3);
  EXPECT_EQ(rows.MaxTopRow(500), 0);
  EXPECT_EQ(rows.MaxTopRow(5), 4);    // even the last row alone does not fit
  EXPECT_EQ(Layout({}).MaxTopRow(100), 0);
  EXPECT_EQ(rows.RowAt(0, 0), 0);
  EXPECT_EQ(rows.RowAt(0, 29), 0);
  EXPECT_EQ(rows.RowAt(0, 30), 1);
  EXPECT_EQ(rows.RowAt(2, 55), 3);
  EXPECT_EQ(rows.RowAt(2, 100), -1);  // below the last row
  EXPECT_EQ(rows.RowAt(0, -1), -1);
  EXPECT_EQ(Layout({}).RowAt(0, 0), -1);

  // The rows wanted take the partly visible row when there is one.
  EXPECT_EQ(WantedRows(rows, 0, 100), (TRowRange{0, 3}));  // rows 0, 1 whole; 2 in part
  EXPECT_EQ(WantedRows(rows, 0, 120), (TRowRange{0, 3}));  // exactly three: no room below
  EXPECT_EQ(WantedRows(rows, 3, 100), (TRowRange{3, 5}));  // room, but no row left
  EXPECT_EQ(WantedRows(rows, 0, 10), (TRowRange{0, 1}));   // one row taller than the view
  EXPECT_EQ(WantedRows(rows, 7, 100), (TRowRange{}));
}

TEST(MultiSampleRows, TopRowToShowARow) {
  // 100 rows, 10 in view from row 20.
  EXPECT_EQ(TopRowToShow(-1, 20, 10, 100), -1);
  EXPECT_EQ(TopRowToShow(100, 20, 10, 100), -1);
  EXPECT_EQ(TopRowToShow(20, 20, 10, 100), -1);
  EXPECT_EQ(TopRowToShow(29, 20, 10, 100), -1);
  EXPECT_EQ(TopRowToShow(30, 20, 10, 100), 21);  // just below: one row down
  EXPECT_EQ(TopRowToShow(95, 20, 10, 100), 90);  // near the end: the last page
  EXPECT_EQ(TopRowToShow(5, 20, 10, 100), 5);
  EXPECT_EQ(TopRowToShow(50, 20, 10, 100), 50);
}

TEST(MultiSampleRows, KeyTable) {
  struct Case {
    uint16_t key;
    unsigned shift;
    TKeyScroll scroll;
  };
  const Case cases[] = {
      {kVkUp, 0, {true, 0}},          {kVkUp, kShiftKey, {true, 2}},
      {kVkUp, kCtrlKey, {true, 2}},   {kVkDown, 0, {true, 1}},
      {kVkDown, kAltKey, {true, 3}},  {kVkLeft, 0, {false, 0}},
      {kVkLeft, kCtrlKey, {false, 2}}, {kVkRight, 0, {false, 1}},
      {kVkRight, kShiftKey, {false, 3}}, {kVkPrior, kCtrlKey, {true, 6}},
      {kVkPrior, 0, {true, 2}},       {kVkPrior, kCtrlKey | kShiftKey, {true, 2}},
      {kVkNext, kCtrlKey, {true, 7}}, {kVkNext, 0, {true, 3}},
      {kVkHome, 0, {false, 6}},       {kVkHome, kCtrlKey, {false, 6}},
      {kVkEnd, kShiftKey, {false, 7}},
  };
  for (const Case& c : cases) {
    TKeyScroll got{};
    ASSERT_TRUE(KeyScroll(c.key, c.shift, got)) << c.key;
    EXPECT_EQ(got, c.scroll) << "key " << c.key << " shift " << c.shift;
  }
  TKeyScroll got{};
  EXPECT_FALSE(KeyScroll(0x0D, 0, got));
  EXPECT_FALSE(KeyScroll('A', kCtrlKey, got));
}

class MultiSampleFontsTest : public ::testing::Test {
 protected:
  MultiSampleFontsTest() {
    for (int i = 0; i < 6; ++i) {
      TSampleRow row;
      row.fileName = "C:\\F\\F" + std::to_string(i) + ".TTF";
      os.AddFile(row.fileName, "x");
      rows.push_back(row);
    }
  }
  int Added() const {
    int n = 0;
    for (const TSampleRow& row : rows) n += os.FontResourceCount(row.fileName);
    return n;
  }
  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::vector<TSampleRow> rows;
};

TEST_F(MultiSampleFontsTest, ScrollingOneRowSwapsExactlyOneFont) {
  TSampleFonts fonts;
  fonts.Sync(rows, {0, 3});
  EXPECT_EQ(os.FontsAdded(), (std::vector<std::string>{rows[0].fileName, rows[1].fileName, rows[2].fileName}));
  fonts.Sync(rows, {1, 4});
  EXPECT_EQ(os.FontsRemoved(), std::vector<std::string>{rows[0].fileName});
  EXPECT_EQ(os.FontsAdded().size(), 4u);
  EXPECT_EQ(os.FontsAdded().back(), rows[3].fileName);
  EXPECT_EQ(Added(), 3);
  fonts.Sync(rows, {1, 4});  // no change, no calls
  EXPECT_EQ(os.FontsAdded().size() + os.FontsRemoved().size(), 5u);
  fonts.Sync(rows, {0, 2});  // up and shorter: the rows that left all go
  EXPECT_EQ(Added(), 2);
  EXPECT_EQ(os.FontResourceCount(rows[0].fileName), 1);
  EXPECT_EQ(os.FontResourceCount(rows[3].fileName), 0);
  fonts.Sync(rows, {-5, 99});  // out of range is passed over
  EXPECT_EQ(Added(), 6);
  fonts.Clear();
  EXPECT_EQ(Added(), 0);
  EXPECT_TRUE(fonts.Files().empty());
}

TEST_F(MultiSampleFontsTest, InstalledAndTwiceListedFontsAndTheOwnersEnd) {
  rows[1].installed = true;
  rows[2].fileName = "c:\\f\\f0.ttf";  // the file of row 0 again
  {
    TSampleFonts fonts;
    fonts.Sync(rows, {0, 4});
    EXPECT_EQ(os.FontsAdded(), (std::vector<std::string>{rows[0].fileName, rows[3].fileName}));
    fonts.Sync(rows, {2, 4});  // row 0 left, but row 2 still needs its file
    EXPECT_TRUE(os.FontsRemoved().empty());
    EXPECT_EQ(fonts.Files().size(), 2u);
  }
  EXPECT_EQ(os.FontResourceCount(rows[0].fileName), 0);
  EXPECT_EQ(os.FontResourceCount(rows[3].fileName), 0);
  EXPECT_EQ(os.FontsRemoved().size(), 2u);
  {
    const TTemporaryFont installed(rows[1].fileName, true);
    const TTemporaryFont added(rows[4].fileName, false);
    EXPECT_EQ(os.FontResourceCount(rows[4].fileName), 1);
  }
  EXPECT_EQ(os.FontResourceCount(rows[4].fileName), 0);
  EXPECT_EQ(os.FontResourceCount(rows[1].fileName), 0);
  EXPECT_EQ(os.FontsAdded().size(), 3u);

  // A file the system refuses holds nothing of ours to remove: the user's
  // session keeps its own reference.
  os.AddFont(rows[5].fileName);
  os.FailAddFont(rows[5].fileName);
  {
    TSampleFonts fonts;
    fonts.Sync(rows, {4, 6});
    EXPECT_EQ(fonts.Files(), std::vector<std::string>{rows[4].fileName});
    const TTemporaryFont refused(rows[5].fileName, false);
    fonts.Sync(rows, {0, 1});
  }
  EXPECT_EQ(os.FontResourceCount(rows[5].fileName), 1);
  EXPECT_EQ(os.FontResourceCount(rows[4].fileName), 0);
}
