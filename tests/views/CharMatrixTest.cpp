// The character map on a shown window, driven as a user drives it: clicks
// posted to the grid, keys through the input queue, the popup menu of a
// right click and the magnifier that a double click opens and any key,
// click or other window closes. A real font: DejaVu Serif.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "views/CharMatrix.h"
#include "views/CharMatrixText.h"
#include "views/CharMatrixZoom.h"

namespace {

// Runs `tick` once, from the message loop that runs `after` ms from now (the
// magnifier's or the popup menu's), unless it goes first.
class TOneShot {
 public:
  TOneShot(UINT after, std::function<void()> tick) {
    id_ = SetTimer(nullptr, 0, after, &TOneShot::Fire);
    Ticks()[id_] = std::move(tick);
  }
  ~TOneShot() {
    KillTimer(nullptr, id_);
    Ticks().erase(id_);
  }
  TOneShot(const TOneShot&) = delete;
  TOneShot& operator=(const TOneShot&) = delete;

 private:
  static std::map<UINT_PTR, std::function<void()>>& Ticks() {
    static std::map<UINT_PTR, std::function<void()>> ticks;
    return ticks;
  }
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = Ticks().find(id);
    if (it == Ticks().end()) return;
    const std::function<void()> tick = std::move(it->second);
    Ticks().erase(it);
    if (tick) tick();
  }
  UINT_PTR id_;
};

// Should the magnifier ignore what closes it, the test fails rather than
// waits for ever.
class TSafetyNet {
 public:
  TSafetyNet()
      : shot_(8000, [] {
          ADD_FAILURE() << "the magnifier did not close";
          PostMessageW(GetForegroundWindow(), WM_CLOSE, 0, 0);
        }) {}

 private:
  TOneShot shot_;
};

class CharMatrixTest : public ::testing::Test {
 protected:
  CharMatrixTest() {
    window.SetClientSize(520, 480);
    map->SetAlign(alClient);
    map->OnResize = [this] {
      ++resizes;
      maxColumnsSeen = map->MaxColumns();
    };
    map->SetFontName("DejaVu Serif");
    map->SetShowASCIIChars(true);
    input::Activate(window.Handle());
    map->SetFocus();
    input::Settle();
  }

  HWND GridWindow() { return map->Grid().Handle(); }
  // The middle of the cell of `code`, which must be in view.
  POINT Cell(int code) {
    const TCharGrid& g = map->Grid().Model();
    const TGridRect r = g.CellRect(code % g.Columns(), code / g.Columns());
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Click(int code) { input::PostClick(GridWindow(), Cell(code).x, Cell(code).y); }
  void RightClick(int code) { input::PostRightClick(GridWindow(), Cell(code).x, Cell(code).y); }
  void DoubleClick(int code) { input::PostDoubleClick(GridWindow(), Cell(code).x, Cell(code).y); }

  TTestWindow window{600, 560};
  std::unique_ptr<TCharMatrix> map = std::make_unique<TCharMatrix>(window);
  int resizes = 0;
  int maxColumnsSeen = 0;
};

TEST(CharMatrixDefaults, AsBuiltBeforeAnyResize) {
  TTestWindow window;
  TCharMatrix map(window);
  EXPECT_EQ(map.Columns(), 5);
  EXPECT_EQ(map.MaxColumns(), 8);
  EXPECT_EQ(map.Grid().Model().RowCount(), 52);
  EXPECT_EQ(map.SelectedChar(), 0);
  EXPECT_EQ(map.FontSize(), 36);
  EXPECT_EQ(map.FontName(), charmap::FaceName(ui::DefaultFont()));
  EXPECT_TRUE(map.ShowASCIIValues());
  EXPECT_FALSE(map.ShowASCIIChars());
  EXPECT_EQ(map.FontBgColor(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(map.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(map.FontInfoColor(), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(map.PopupMenu(), nullptr);
  // The same face in other letter case is no change.
  map.SetFontName("DejaVu Serif");
  map.SetFontName("DEJAVU SERIF");
  EXPECT_EQ(map.FontName(), "DejaVu Serif");
}

TEST_F(CharMatrixTest, ResizingReckonsMaxColumnsBeforeOnResizeAndNarrowingKeepsTheCode) {
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  // The grid's client area is what the model shares among the columns.
  EXPECT_EQ(map->Grid().ClientWidth(), map->Width() - scrollBar - 4);
  EXPECT_EQ(map->Grid().Model().ClientWidth(), map->Grid().ClientWidth());
  map->SetColumns(12);
  map->SelectChar(200);
  resizes = 0;
  window.SetClientSize(4 + scrollBar + 7 * 21 + 10, 480);
  input::Settle();
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(maxColumnsSeen, 7);
  EXPECT_EQ(map->Columns(), 7);
  EXPECT_EQ(map->SelectedChar(), 200);
  const TCharGrid& g = map->Grid().Model();
  EXPECT_LE(g.TopRow(), 200 / 7);
  EXPECT_GE(g.TopRow() + g.ViewRows() - 1, 200 / 7);
  window.SetClientSize(800, 480);
  input::Settle();
  EXPECT_EQ(resizes, 2);
  EXPECT_EQ(map->Columns(), 7);
}

TEST_F(CharMatrixTest, ClicksAndKeysSelectOnlyCodesUpTo255) {
  Click(7);
  EXPECT_EQ(map->SelectedChar(), 7);
  EXPECT_EQ(GetFocus(), GridWindow());
  input::Press(VK_RIGHT);
  input::Press(VK_DOWN);
  EXPECT_EQ(map->SelectedChar(), 13);
  input::Press(VK_END, ssCtrl);
  EXPECT_EQ(map->SelectedChar(), 255);
  // The last row: 255 and four empty cells.
  const TCharGrid& g = map->Grid().Model();
  EXPECT_EQ(g.TopRow(), g.MaxTopRow());
  input::Press(VK_RIGHT);
  EXPECT_EQ(map->SelectedChar(), 255);
  Click(257);
  EXPECT_EQ(map->SelectedChar(), 255);
  input::Press(VK_HOME, ssCtrl);
  EXPECT_EQ(map->SelectedChar(), 0);
  EXPECT_EQ(g.TopRow(), 0);
  // The scroll bar moves the view, not the selection.
  SendMessageW(GridWindow(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(g.TopRow(), g.FullyVisibleRows());
  EXPECT_EQ(GetScrollPos(GridWindow(), SB_VERT), g.TopRow());
  EXPECT_EQ(map->SelectedChar(), 0);
}

TEST_F(CharMatrixTest, RightClickSelectsTheCellBeforeThePopupOpens) {
  TPopupMenu menu;
  menu.Items().Add(L"放大(&Z)");
  int popups = 0;
  int selectedAtPopup = -2;
  menu.OnPopup = [&] {
    ++popups;
    selectedAtPopup = map->SelectedChar();
  };
  map->SetPopupMenu(&menu);
  {
    const TOneShot close(200, [] { EndMenu(); });
    RightClick(3);  // the first row
  }
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(selectedAtPopup, 3);
  // An empty cell clears the selection; the menu still opens.
  map->SelectChar(255);
  {
    const TOneShot close(200, [] { EndMenu(); });
    RightClick(258);
  }
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(selectedAtPopup, -1);
  EXPECT_EQ(map->SelectedChar(), -1);
  map->Zoom();  // nothing selected: nothing to show, no wait
  EXPECT_FALSE(TCharMatrixZoomForm::IsOpen());
}

// What the magnifier showed while it was open.
struct TSeenZoom {
  int ticks = 0;
  HWND window = nullptr;
  RECT bounds{};
  std::string info;
  int code = -1;
  bool open = false;
};

TSeenZoom Observe() {
  TSeenZoom seen;
  seen.ticks = 1;
  seen.window = GetForegroundWindow();
  if (auto* form = dynamic_cast<TCharMatrixZoomForm*>(TControl::FromHandle(seen.window))) {
    GetWindowRect(seen.window, &seen.bounds);
    seen.info = form->InfoText();
    seen.code = form->CharCode();
    seen.open = TCharMatrixZoomForm::IsOpen();
  }
  return seen;
}

// What the magnifier that `open` opens shows before `close` closes it.
TSeenZoom Zoomed(const std::function<void()>& open, const std::function<void(HWND)>& close) {
  TSeenZoom seen;
  const TSafetyNet net;
  const TOneShot tick(300, [&] {
    seen = Observe();
    close(seen.window);
  });
  open();
  return seen;
}

TEST_F(CharMatrixTest, DoubleClickOpensTheMagnifierCentredAndAKeyClosesIt) {
  map->SetColumns(16);  // all rows in view
  const TSeenZoom seen = Zoomed([&] { DoubleClick(65); },
                                [](HWND) { input::SendPress('Q'); });
  EXPECT_EQ(seen.ticks, 1);
  ASSERT_TRUE(seen.open) << "the magnifier was not the active window";
  EXPECT_EQ(seen.code, 65);
  EXPECT_EQ(seen.info, "65 \"A\"");
  EXPECT_FALSE(TCharMatrixZoomForm::IsOpen());
  EXPECT_FALSE(IsWindow(seen.window));  // freed once closed
  EXPECT_EQ(map->SelectedChar(), 65);

  // 40 pixels around a box 1.2 times as high as wide that holds the "A".
  const int width = seen.bounds.right - seen.bounds.left;
  const int height = seen.bounds.bottom - seen.bounds.top;
  const TFontHandle font = charmap::CreatePointFont("DejaVu Serif", 256);
  const TWindowDC screen(nullptr);
  const TSelectObject select(screen.Get(), font.Get());
  SIZE extent{};
  GetTextExtentPoint32W(screen.Get(), L"A", 1, &extent);
  EXPECT_GE(width - 40, extent.cx);
  EXPECT_GE(height - 40, extent.cy);
  EXPECT_TRUE(width - 40 == extent.cx || height - 40 == extent.cy);
  EXPECT_NEAR((height - 40) * 5, (width - 40) * 6, 6);
  // Centred over the map, halves toward zero.
  RECT r{};
  GetWindowRect(map->Handle(), &r);
  EXPECT_EQ(seen.bounds.left, r.left + (map->Width() - width) / 2);
  EXPECT_EQ(seen.bounds.top, r.top + (map->Height() - height) / 2);
  // The focus is back on the grid, which took no part of the closing key.
  EXPECT_EQ(GetFocus(), GridWindow());
  EXPECT_EQ(map->SelectedChar(), 65);
}

TEST_F(CharMatrixTest, AClickOrAnotherActiveWindowClosesTheMagnifier) {
  map->SetColumns(16);
  TSeenZoom seen = Zoomed([&] { DoubleClick(66); },
                          [](HWND zoom) { PostMessageW(zoom, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); });
  EXPECT_TRUE(seen.open);
  EXPECT_EQ(seen.code, 66);
  EXPECT_FALSE(TCharMatrixZoomForm::IsOpen());

  TTestWindow other(200, 100);
  SendMessageW(GridWindow(), WM_KEYDOWN, VK_RIGHT, 0);
  seen = Zoomed([&] { map->Zoom(); }, [&](HWND) {
    ShowWindow(other.Handle(), SW_SHOW);
    SetForegroundWindow(other.Handle());
  });
  EXPECT_TRUE(seen.open);
  EXPECT_EQ(seen.code, 67);
  EXPECT_FALSE(TCharMatrixZoomForm::IsOpen());
  EXPECT_FALSE(IsWindow(seen.window));
}

// Pixels as the screen shows them.
class TCapture {
 public:
  explicit TCapture(HWND window) : window_(window) {
    RECT r{};
    GetClientRect(window, &r);
    const TWindowDC dc(window);
    width_ = r.right;
    height_ = r.bottom;
    bitmap_ = TBitmapHandle(CreateCompatibleBitmap(dc.Get(), r.right, r.bottom));
    const TSelectObject select(memory_.Get(), bitmap_.Get());
    BitBlt(memory_.Get(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
  }
  // Pixels of `color` within the rectangle, which must lie on the capture:
  // off it every pixel reads CLR_INVALID, whatever was drawn.
  int Count(const TGridRect& r, COLORREF color) const {
    if (r.left < 0 || r.top < 0 || r.right > width_ || r.bottom > height_) {
      ADD_FAILURE() << "counted outside the capture: " << r.left << "," << r.top << " - " << r.right
                    << "," << r.bottom;
      return -1;
    }
    const TSelectObject select(memory_.Get(), bitmap_.Get());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(memory_.Get(), x, y) == color;
    return n;
  }

 private:
  HWND window_;
  int width_ = 0;
  int height_ = 0;
  TMemoryDC memory_;
  TBitmapHandle bitmap_;
};

TEST_F(CharMatrixTest, PaintsCharactersLabelsSelectionAndEmptyCells) {
  map->SetFontColor(RGB(0, 0, 160));
  map->SetFontInfoColor(RGB(160, 0, 0));
  map->SelectChar(77);  // "M", row 15
  UpdateWindow(GridWindow());
  input::Settle();
  const TCharGrid& g = map->Grid().Model();
  const TCapture shot(GridWindow());
  auto cell = [&](int code) { return g.CellRect(code % 5, code / 5); };
  const TGridRect w = cell(87);  // "W"
  // The character in the middle of its cell, the label top left.
  const TGridRect middle{w.left + w.right / 8, w.top + 20, w.right - 10, w.bottom - 10};
  EXPECT_GT(shot.Count(middle, RGB(0, 0, 160)), 50);
  const TGridRect corner{w.left, w.top, w.left + 40, w.top + 16};
  EXPECT_GT(shot.Count(corner, RGB(160, 0, 0)), 5);
  // The selected cell is filled with the highlight colour.
  const TGridRect m = cell(77);
  const int area = (m.right - m.left) * (m.bottom - m.top);
  EXPECT_GT(shot.Count(m, GetSysColor(COLOR_HIGHLIGHT)), area / 2);
  EXPECT_EQ(shot.Count(m, RGB(0, 0, 160)), 0);

  // Without labels the corner is empty; the last row's empty cells stay blank.
  map->SetShowASCIIValues(false);
  map->SetShowASCIIChars(false);
  map->SelectChar(255);
  UpdateWindow(GridWindow());
  const TCapture bare(GridWindow());
  const TGridRect above = cell(250);  // in the row above the selected one, in view
  EXPECT_GT(bare.Count(above, RGB(0, 0, 160)), 50);
  EXPECT_EQ(bare.Count(TGridRect{above.left, above.top, above.left + 40, above.top + 16}, RGB(160, 0, 0)), 0);
  const TGridRect empty = cell(257);
  const int emptyArea = (empty.right - empty.left) * (empty.bottom - empty.top);
  EXPECT_EQ(bare.Count(empty, GetSysColor(COLOR_WINDOW)), emptyArea);
}

}  // namespace
