// The multiple sample view over a memory world: which fonts it adds to the
// system's table and when, its rebuilds, keys, clicks and scrolling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sys/memory/MemoryBackend.h"
#include "tests/support/TrueTypeWriter.h"
#include "tests/views/MultiSampleFixture.h"
#include "ui/Handles.h"

using namespace multi_test;

namespace {

constexpr char kNtFontsKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

class MultiSampleTest : public ::testing::Test {
 protected:
  MultiSampleTest() {
    os.SetValue(sys::Hive::CurrentUser,
                "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                "C:\\WINNT\\FONTS\\");
    os.SetValue(sys::Hive::LocalMachine, kNtFontsKey, "Placeholder (TrueType)", "PLACE.TTF");
  }

  static std::string File(int i) { return "C:\\F\\FONT" + std::to_string(100 + i) + ".TTF"; }

  // `count` records named "Font 100"...; those in `installed` registered.
  void Fill(int count, std::vector<int> installed = {}) {
    for (int i : installed)
      os.SetValue(sys::Hive::LocalMachine, kNtFontsKey,
                  "Font " + std::to_string(100 + i) + " (TrueType)", File(i));
    for (int i = 0; i < count; ++i) {
      os.AddFile(File(i), "x");
      list.AddFileWithName(File(i), "Font " + std::to_string(100 + i));
    }
  }

  // Files now added, as the system counts them.
  std::vector<int> Added(int count) const {
    std::vector<int> rows;
    for (int i = 0; i < count; ++i)
      if (os.FontResourceCount(File(i)) > 0) rows.push_back(i);
    return rows;
  }
  // The window's client area as the screen shows it.
  static std::vector<uint32_t> ClientPixels(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    const TWindowDC dc(window);
    const TMemoryDC memory(dc.Get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const TBitmapHandle bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return {};
    {
      const TSelectObject select(memory.Get(), bitmap.Get());
      BitBlt(memory.Get(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    return {first, first + static_cast<size_t>(r.right) * static_cast<size_t>(r.bottom)};
  }
  static std::vector<int> Range(int first, int last) {
    std::vector<int> rows;
    for (int i = first; i < last; ++i) rows.push_back(i);
    return rows;
  }
  // How often row i's file was added: once per rebuild when it is out of view.
  int Measured(int i) const {
    return static_cast<int>(std::count(os.FontsAdded().begin(), os.FontsAdded().end(), File(i)));
  }
  size_t Calls() const { return os.FontsAdded().size() + os.FontsRemoved().size(); }
  // The form shown with the view on the list.
  TMultiSampleGrid& ShowList(int width, int height) {
    form = ShowForm(width, height);
    form->view->SetFontFileList(&list);
    return form->view->Grid();
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  TFontFileList list;
  std::unique_ptr<TMultiForm> form;
};

TEST_F(MultiSampleTest, NoListOrAnEmptyListShowsNoRowsAndAddsNothing) {
  form = ShowForm(500, 300);
  TMultiSample& view = *form->view;
  EXPECT_EQ(view.FontSize(), 18);
  EXPECT_EQ(view.Text(), L"The quick brown fox jumps over the lazy dog");
  EXPECT_EQ(view.Filter(), 127);
  EXPECT_FALSE(view.WordWrap());
  EXPECT_EQ(view.ClickedFont(), nullptr);
  view.Reload();
  EXPECT_EQ(view.Grid().RowCount(), 0);
  view.SetFontFileList(&list);
  EXPECT_EQ(view.Grid().RowCount(), 0);
  input::PostClick(view.Grid().Handle(), 20, 20);
  EXPECT_EQ(view.ClickedRow(), -1);
  EXPECT_EQ(Calls(), 0u);
  // Focus given to the control goes to its grid.
  form->SetActiveControl(nullptr);
  view.SetFocus();
  EXPECT_TRUE(view.Grid().Focused());
}

TEST_F(MultiSampleTest, RebuildMeasuresTheRowsInViewAndTheLastPageAndKeepsOnlyTheRowsInViewAdded) {
  Fill(40, {3, 5});
  // Room for more than the installed rows 3 and 5 whatever the fallback face's
  // height (a CJK one with tall lines among them).
  TMultiSampleGrid& grid = ShowList(500, 800);
  TMultiSample& view = *form->view;
  ASSERT_EQ(grid.RowCount(), 40);
  const multi_sample::TRowRange wanted = multi_sample::WantedRows(grid.Rows(), 0, grid.ClientHeight());
  ASSERT_GT(wanted.last, 5);
  ASSERT_LT(wanted.last, 40);
  // Rows in view, less the installed ones; one row partly in view.
  std::vector<int> expected = Range(0, wanted.last);
  std::erase(expected, 3);
  std::erase(expected, 5);
  EXPECT_EQ(Added(40), expected);
  EXPECT_EQ(grid.VisibleRowCount() + 1, wanted.last);
  // The rows of the last page, on which the scroll range depends, were
  // added and removed again to be measured; those between them and the rows
  // in view never were: a list of 26,000 fonts opens as fast as this one.
  int lastPage = 40;
  for (int y = 0; y <= grid.ClientHeight();) y += grid.Rows().Height(--lastPage);
  ASSERT_GT(lastPage, wanted.last);
  EXPECT_EQ(os.FontsRemoved().size(), static_cast<size_t>(40 - lastPage));
  EXPECT_EQ(os.FontsAdded().size(), os.FontsRemoved().size() + expected.size());
  for (int i = wanted.last; i < lastPage; ++i) EXPECT_EQ(Measured(i), 0) << i;
  for (const std::string& file : os.FontsAdded()) {
    EXPECT_NE(file, File(3));
    EXPECT_NE(file, File(5));
  }
  // The names are trusted: with every kind wanted no file is opened.
  EXPECT_EQ(os.Opens(), 0);
  EXPECT_EQ(view.LoadedFiles().size(), expected.size());
  // Every row is as high as its sample and information line plus 9.
  const TMemoryDC dc;
  SIZE info{};
  {
    const TSelectObject own(dc.Get(), view.Font());
    GetTextExtentPoint32W(dc.Get(), L"gM", 2, &info);
  }
  EXPECT_GT(grid.Rows().Height(0), info.cy + 9);
  form.reset();
  EXPECT_TRUE(Added(40).empty());
}

TEST_F(MultiSampleTest, ChangesRebuildOnceInAnUpdateAndColoursNeverRebuild) {
  Fill(20);
  form = ShowForm(500, 300);
  TMultiSample& view = *form->view;
  view.BeginUpdate();
  view.SetText(L"Sphinx of black quartz");
  view.SetFontSize(12);
  view.SetFilter(127);
  view.SetFontFileList(&list);
  view.SetWordWrap(true);
  EXPECT_EQ(Calls(), 0u);
  EXPECT_EQ(view.Grid().RowCount(), 0);
  view.EndUpdate();
  EXPECT_EQ(view.Grid().RowCount(), 20);
  ASSERT_LT(view.Grid().VisibleRowCount() + 1, 19);  // row 19 is added only to be measured
  EXPECT_EQ(Measured(19), 1);  // one rebuild
  view.EndUpdate();            // nothing pending
  EXPECT_EQ(Measured(19), 1);
  const size_t calls = Calls();
  view.SetFontColor(RGB(200, 0, 0));
  view.SetFontBgColor(RGB(0, 0, 60));
  view.SetFontInfoColor(RGB(0, 200, 0));
  EXPECT_EQ(view.Grid().Color(), RGB(0, 0, 60));
  view.SetFontSize(12);
  view.SetText(L"Sphinx of black quartz");
  view.SetFontFileList(&list);
  EXPECT_EQ(Calls(), calls);
  // With word wrap every text change rebuilds; without, only the widest
  // font is measured, added around the measurement.
  view.SetText(L"Jackdaws love my big sphinx");
  EXPECT_EQ(Measured(19), 2);
  view.SetWordWrap(false);
  EXPECT_EQ(Measured(19), 3);
  const size_t added = os.FontsAdded().size();
  const size_t removed = os.FontsRemoved().size();
  const int before = view.Grid().ColWidth();
  view.SetText(L"Jackdaws love my big sphinx of quartz, and more, and more, and more, and more");
  EXPECT_EQ(Measured(19), 3);
  EXPECT_LE(os.FontsAdded().size(), added + 1);
  // The widest font went again; a horizontal bar may have taken a row's room.
  TMultiSampleGrid& grid = view.Grid();
  EXPECT_EQ(Added(20), Range(0, multi_sample::WantedRows(grid.Rows(), 0, grid.ClientHeight()).last));
  EXPECT_LE(os.FontsRemoved().size(), removed + 2);
  EXPECT_GT(view.Grid().ColWidth(), before);
  // Reload rebuilds whatever the flags say.
  view.Reload();
  EXPECT_EQ(Measured(19), 4);
}

TEST_F(MultiSampleTest, AFilterWithoutUnknownHidesUnknownFontsInListOrder) {
  // Serif (2, 2), unknown (0), sans serif (2, 11), unknown, script (3).
  const uint8_t families[][2] = {{2, 2}, {0, 0}, {2, 11}, {0, 0}, {3, 0}};
  for (int i = 0; i < 5; ++i) {
    const std::string name = "Kind " + std::to_string(i);
    os.AddFile(File(i), tt::FontBuilder()
                            .Names({tt::MsName(4, name), tt::MsName(1, name)})
                            .Head()
                            .Hhea()
                            .Os2({.panose = {families[i][0], families[i][1]}})
                            .Build());
    list.AddFileWithName(File(i), name);
  }
  TMultiSampleGrid& grid = ShowList(500, 600);
  TMultiSample& view = *form->view;
  int clicks = 0;
  view.OnClick = [&] { ++clicks; };
  EXPECT_EQ(grid.RowCount(), 5);
  view.SetFilter(kAllFontKinds & ~KindBit(fkUnknown));
  ASSERT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(Added(5), (std::vector<int>{0, 2, 4}));
  const std::string expected[] = {File(0), File(2), File(4)};
  for (int row = 0; row < 3; ++row) {
    input::PostClick(grid.Handle(), 30, RowMiddle(grid, row));
    EXPECT_EQ(view.ClickedRow(), row);
    ASSERT_NE(view.ClickedFont(), nullptr);
    EXPECT_EQ(view.ClickedFont()->FileName(), expected[row]);
  }
  // A press below the last row gives no font but still clicks.
  ASSERT_LT(grid.Rows().Span(0, 3), 550);
  input::PostClick(grid.Handle(), 40, 550);
  EXPECT_EQ(clicks, 4);
  EXPECT_EQ(view.ClickedRow(), -1);
  EXPECT_EQ(view.ClickedFont(), nullptr);
}

TEST_F(MultiSampleTest, KeysScrollAsTheTableSaysAndSwapExactlyTheFontsThatCameAndWent) {
  Fill(60);
  TMultiSampleGrid& grid = ShowList(400, 300);
  const int visible = grid.VisibleRowCount();  // equal heights: the same at every top
  const int maxTop = grid.Rows().MaxTopRow(grid.ClientHeight());
  ASSERT_GT(visible, 2);
  auto wanted = [&](int top) { return Range(top, std::min(60, top + visible + 1)); };
  ASSERT_EQ(Added(60), wanted(0));

  size_t added = os.FontsAdded().size();
  size_t removed = os.FontsRemoved().size();
  input::Press(VK_DOWN);
  EXPECT_EQ(grid.TopRow(), 1);
  ASSERT_EQ(os.FontsRemoved().size(), removed + 1);
  EXPECT_EQ(os.FontsRemoved().back(), File(0));
  ASSERT_EQ(os.FontsAdded().size(), added + 1);
  EXPECT_EQ(os.FontsAdded().back(), File(visible + 1));
  EXPECT_EQ(Added(60), wanted(1));

  added = os.FontsAdded().size();
  removed = os.FontsRemoved().size();
  input::Press(VK_UP);
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(os.FontsRemoved().back(), File(visible + 1));
  EXPECT_EQ(os.FontsAdded().back(), File(0));
  EXPECT_EQ(os.FontsAdded().size() - added + os.FontsRemoved().size() - removed, 2u);

  // A step draws only what came into view; the rest moves on the screen,
  // which then shows what a whole repaint would.
  std::vector<int> drawn;
  const auto draw = grid.OnDrawCell;
  grid.OnDrawCell = [&](HDC dc, int row, const RECT& cell) {
    drawn.push_back(row);
    draw(dc, row, cell);
  };
  UpdateWindow(grid.Handle());
  drawn.clear();
  input::Press(VK_DOWN);
  UpdateWindow(grid.Handle());
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), visible) << "the row that was cut off at the bottom";
  EXPECT_LE(drawn.size(), 2u);
  const std::vector<uint32_t> scrolled = ClientPixels(grid.Handle());
  grid.Invalidate();
  UpdateWindow(grid.Handle());
  EXPECT_GT(drawn.size(), static_cast<size_t>(visible));
  EXPECT_TRUE(ClientPixels(grid.Handle()) == scrolled);
  grid.OnDrawCell = draw;
  input::Press(VK_UP);

  struct Step {
    WORD key;
    TShiftState shift;
    int expected;
  };
  for (const Step& step : {Step{VK_NEXT, 0, visible}, Step{VK_DOWN, ssShift, 2 * visible},
                           Step{VK_UP, ssCtrl, visible}, Step{VK_PRIOR, 0, 0}}) {
    input::Press(step.key, step.shift);
    EXPECT_EQ(grid.TopRow(), step.expected) << step.key << "+" << step.shift;
  }
  EXPECT_EQ(Added(60), wanted(0));

  // Ctrl+Page Down jumps to the end: every font of the old rows goes.
  removed = os.FontsRemoved().size();
  input::Press(VK_NEXT, ssCtrl);
  EXPECT_EQ(grid.TopRow(), maxTop);
  EXPECT_EQ(os.FontsRemoved().size(), removed + wanted(0).size());
  EXPECT_EQ(Added(60), Range(maxTop, 60));
  input::Press(VK_DOWN);
  EXPECT_EQ(grid.TopRow(), maxTop);
  input::Press(VK_PRIOR, ssCtrl);
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(Added(60), wanted(0));

  // Horizontally: the column is wider than the view.
  const int maxLeft = grid.ColWidth() - grid.ClientWidth();
  ASSERT_GT(maxLeft, 40);
  for (const Step& step : {Step{VK_RIGHT, 0, 16}, Step{VK_LEFT, 0, 0}, Step{VK_END, 0, maxLeft},
                           Step{VK_HOME, ssCtrl, 0}, Step{VK_RIGHT, ssShift, std::min(maxLeft, grid.ClientWidth())},
                           Step{VK_LEFT, ssCtrl, 0}}) {
    input::Press(step.key, step.shift);
    EXPECT_EQ(grid.LeftPos(), step.expected) << step.key << "+" << step.shift;
  }
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(Added(60), wanted(0));
}

TEST_F(MultiSampleTest, ClicksNameTheRowUnderThePointer) {
  Fill(30);
  TMultiSampleGrid& grid = ShowList(500, 300);
  TMultiSample& view = *form->view;
  int clicks = 0;
  int doubles = 0;
  view.OnClick = [&] { ++clicks; };
  view.OnDblClick = [&] { ++doubles; };
  input::PostClick(grid.Handle(), 40, RowMiddle(grid, 2));
  EXPECT_EQ(clicks, 1);
  ASSERT_NE(view.ClickedFont(), nullptr);
  EXPECT_EQ(view.ClickedFont(), list.Items(2));
  input::Press(VK_NEXT);
  const int top = grid.TopRow();
  ASSERT_GT(top, 0);
  input::PostDoubleClick(grid.Handle(), 40, RowMiddle(grid, top + 1));
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(view.ClickedFont(), list.Items(top + 1));
  // A list that lost records since the rebuild gives no wrong font.
  list.Delete(0);
  EXPECT_EQ(view.ClickedFont(), nullptr);
}

TEST_F(MultiSampleTest, MakeRowVisibleScrollsOnlyWhenTheRowIsOutOfView) {
  Fill(50);
  TMultiSampleGrid& grid = ShowList(400, 300);
  TMultiSample& view = *form->view;
  const int visible = grid.VisibleRowCount();
  // Row asked for, top row after; rows that are not there move nothing.
  const std::pair<int, int> steps[] = {{visible - 1, 0},   {visible, 1},       {20, 20}, {48, 50 - visible},
                                       {50, 50 - visible}, {-1, 50 - visible}, {3, 3}};
  for (const auto& [row, top] : steps) {
    view.MakeRowVisible(row);
    EXPECT_EQ(grid.TopRow(), top) << row;
  }
  EXPECT_EQ(Added(50), Range(3, 3 + visible + 1));
}

TEST_F(MultiSampleTest, ResizingKeepsExactlyTheRowsInViewAdded) {
  Fill(60);
  TMultiSampleGrid& grid = ShowList(400, 500);
  const size_t tall = Added(60).size();
  form->SetClientSize(400, 200);
  input::Settle();
  const multi_sample::TRowRange wanted = multi_sample::WantedRows(grid.Rows(), 0, grid.ClientHeight());
  EXPECT_LT(static_cast<size_t>(wanted.last), tall);
  EXPECT_EQ(Added(60), Range(0, wanted.last));
  form->SetClientSize(400, 500);
  input::Settle();
  EXPECT_EQ(Added(60).size(), tall);
}

}  // namespace
