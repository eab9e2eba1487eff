// Dockable tool bars on a shown frame, used with the mouse as a user does.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "ui/Controls.h"
#include "widgets/Toolbar97.h"

namespace {

class TDockFrame : public TMDIFrame {
 public:
  TDockFrame() : TMDIFrame((ui::InitControls(), L"docks"), 640, 480) {}
  ~TDockFrame() override { DestroyHandle(); }
  TDock97 top{*this, dpTop};
  TDock97 bottom{*this, dpBottom};
  TDock97 left{*this, dpLeft};
  TDock97 right{*this, dpRight};
};

POINT Centre(const TRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TRect ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TRect ClientScreenRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

// Presses at `from`, moves in steps to `to` and lets go there.
void DragTo(POINT from, POINT to) {
  std::vector<std::function<void()>> steps = {[from] { input::MouseMove(from); },
                                              [from] { input::MousePress(from); }};
  for (int i = 1; i <= 6; ++i) {
    const POINT at{from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6};
    steps.push_back([at] { input::MouseMove(at); });
  }
  steps.push_back([to] { input::MouseRelease(to); });
  input::Gesture(steps);
}

// The middle of a docked bar's grip.
POINT GripPoint(const TToolbar97& bar) {
  const TRect r = ScreenRect(bar.Handle());
  return r.Width() > r.Height() ? POINT{r.left + 6, (r.top + r.bottom) / 2}
                                : POINT{(r.left + r.right) / 2, r.top + 6};
}

HWND FloatingWindow(const TToolbar97& bar) { return GetAncestor(bar.Handle(), GA_ROOT); }

// The middle of a floating bar's caption.
POINT CaptionPoint(const TToolbar97& bar) {
  const HWND window = FloatingWindow(bar);
  const TRect client = ClientScreenRect(window);
  return POINT{(client.left + client.right) / 2, client.top - GetSystemMetrics(SM_CYSMCAPTION) / 2};
}

COLORREF ScreenPixel(POINT at) { return GetPixel(TWindowDC(nullptr).Get(), at.x, at.y); }

// A 20 x 20 picture: a 10 x 10 square of `centre` in the middle of
// `background`, as a 4-bit bitmap.
HBITMAP FourBitGlyph(COLORREF background, COLORREF centre) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[16];
  } info{};
  info.header = {sizeof(BITMAPINFOHEADER), 20, 20, 1, 4, BI_RGB};
  info.colours[0] = {GetBValue(background), GetGValue(background), GetRValue(background), 0};
  info.colours[1] = {GetBValue(centre), GetGValue(centre), GetRValue(centre), 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  // Two pixels a byte, rows of 12 bytes: columns 5 to 14 of rows 5 to 14 are index 1.
  std::fill_n(static_cast<uint8_t*>(bits), 12 * 20, uint8_t{0});
  for (int y = 5; y < 15; ++y) {
    uint8_t* row = static_cast<uint8_t*>(bits) + y * 12;
    row[2] = 0x01;
    std::fill(row + 3, row + 7, uint8_t{0x11});
    row[7] = 0x10;
  }
  return bitmap;
}

// The same square as a 32-bit bitmap whose alpha is 255 there and 0 elsewhere
// (straight alpha: the colour of the clear pixels must not show).
HBITMAP AlphaGlyph(COLORREF centre) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -20, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 15 && y >= 5 && y < 15;
      const uint32_t rgb = (GetRValue(centre) << 16) | (GetGValue(centre) << 8) | GetBValue(centre);
      pixels[y * 20 + x] = inside ? 0xFF000000u | rgb : 0x00FFFFFFu;  // clear white
    }
  }
  return bitmap;
}

// The text of this thread's tool tip that shows now, or "" when none shows.
std::wstring ShownTip() {
  const HWND tip = ShownWindowOfClass(GetCurrentThreadId(), TOOLTIPS_CLASSW);
  wchar_t text[128] = {};
  if (tip) GetWindowTextW(tip, text, 128);
  return text;
}

VOID CALLBACK EndMenuNow(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

class ToolbarTest : public ::testing::Test {
 protected:
  ToolbarTest() {
    frame_.SetBounds(40, 40, 640, 480);
    frame_.Show();
    input::Activate(frame_.Handle());
  }
  TDockFrame frame_;
};

TEST_F(ToolbarTest, ButtonsClickOnceStayUpWhenDisabledAndToggleInTheirGroup) {
  TToolbar97 bar(frame_, frame_.top, L"标准");
  TToolbarButton97& off = bar.AddButton(L"新建");
  TToolbarButton97& open = bar.AddButton(L"打开");
  bar.AddSeparator();
  TToolbarButton97& toggle = bar.AddButton(L"预览");
  for (TToolbarButton97* b : {&off, &open, &toggle}) b->SetSize(52, 45);
  int offClicks = 0, openClicks = 0, toggleClicks = 0;
  off.OnClick = [&] { ++offClicks; };
  open.OnClick = [&] { ++openClicks; };
  toggle.OnClick = [&] { ++toggleClicks; };
  off.SetEnabled(false);
  toggle.GroupIndex = 1;
  toggle.AllowAllUp = true;
  off.SetGlyph(FourBitGlyph(RGB(255, 0, 255), RGB(255, 0, 0)));
  open.SetGlyph(AlphaGlyph(RGB(0, 0, 255)));
  input::Settle();

  // The dock holds one row; the empty docks take no room; the documents fill the rest.
  EXPECT_EQ(frame_.top.Height(), bar.Height());
  EXPECT_EQ(frame_.bottom.Height(), 0);
  EXPECT_EQ(frame_.left.Width(), 0);
  const TRect documents = ScreenRect(frame_.ClientHandle());
  EXPECT_EQ(documents.top, ScreenRect(frame_.top.Handle()).bottom);
  // Buttons run left to right, the separator between the second and third.
  const TRect second = open.ScreenRect();
  EXPECT_EQ(second.Width(), 52);
  EXPECT_EQ(second.left, off.ScreenRect().right);
  EXPECT_EQ(toggle.ScreenRect().top, second.top);
  EXPECT_GT(toggle.ScreenRect().left, second.right);

  // Glyphs: the 4-bit one's bottom-left colour and the alpha one's clear
  // pixels let the face show; their squares are drawn (the disabled one greyed).
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto glyphPixel = [](const TToolbarButton97& b, int x, int y) {
    const TRect r = b.ScreenRect();
    return ScreenPixel(POINT{(r.left + r.right) / 2 - 10 + x, r.top + 2 + y});
  };
  auto glyphTop = [&](const TToolbarButton97& b) {
    // The glyph sits above the caption, centred: find its first row.
    for (int y = 0; y < 20; ++y) {
      if (glyphPixel(b, 10, y) != face) return y - 5;
    }
    return -100;
  };
  const int openTop = glyphTop(open);
  ASSERT_GE(openTop, 0);
  EXPECT_EQ(glyphPixel(open, 10, openTop + 10), RGB(0, 0, 255));
  EXPECT_EQ(glyphPixel(open, 1, openTop + 1), face);
  const int offTop = glyphTop(off);
  ASSERT_GE(offTop, 0);
  const COLORREF greyed = glyphPixel(off, 10, offTop + 10);
  EXPECT_NE(greyed, RGB(255, 0, 0));
  EXPECT_EQ(GetRValue(greyed), GetGValue(greyed));  // no colour left in it
  EXPECT_EQ(glyphPixel(off, 1, offTop + 1), face);

  // Resting on a button shows its hint.
  open.Hint = L"打开字体文件";
  input::Gesture({[second] { input::MouseMove(POINT{second.left + 5, second.top + 5}); },
                  [second] { input::MouseMove(Centre(second)); }});
  for (int i = 0; i < 40 && ShownTip().empty(); ++i) input::Settle();
  EXPECT_EQ(ShownTip(), L"打开字体文件");

  input::ClickAt(Centre(second));
  EXPECT_EQ(openClicks, 1);
  input::ClickAt(Centre(off.ScreenRect()));
  EXPECT_EQ(offClicks, 0);
  input::ClickAt(Centre(toggle.ScreenRect()));
  EXPECT_TRUE(toggle.Down());
  Sleep(GetDoubleClickTime() + 50);
  input::ClickAt(Centre(toggle.ScreenRect()));
  EXPECT_FALSE(toggle.Down());
  EXPECT_EQ(toggleClicks, 2);
  EXPECT_EQ(openClicks, 1);
}

TEST_F(ToolbarTest, GripDragsDockLeftFloatAndTheCaptionDocksBack) {
  TToolbar97 bar(frame_, frame_.top, L"格式");
  for (const wchar_t* caption : {L"粗体", L"斜体", L"下划线"}) bar.AddButton(caption).SetSize(29, 26);
  int changes = 0;
  bar.OnChanged = [&] { ++changes; };
  input::Settle();
  const TRect client = ClientScreenRect(frame_.Handle());
  const POINT middle = Centre(client);

  DragTo(GripPoint(bar), POINT{client.left + 6, middle.y});
  ASSERT_EQ(bar.DockedTo(), &frame_.left);
  EXPECT_EQ(changes, 1);
  EXPECT_GT(bar.Height(), bar.Width());
  EXPECT_EQ(frame_.left.Width(), bar.Width());
  EXPECT_EQ(frame_.top.Height(), 0);
  EXPECT_EQ(bar.Button(1).ScreenRect().top, bar.Button(0).ScreenRect().bottom);
  EXPECT_EQ(bar.Button(1).ScreenRect().left, bar.Button(0).ScreenRect().left);
  EXPECT_EQ(ScreenRect(frame_.ClientHandle()).left, ScreenRect(frame_.left.Handle()).right);

  DragTo(GripPoint(bar), middle);
  ASSERT_EQ(bar.DockedTo(), nullptr);
  EXPECT_EQ(changes, 2);
  const HWND floating = FloatingWindow(bar);
  ASSERT_NE(floating, frame_.Handle());
  EXPECT_TRUE(IsWindowVisible(floating));
  EXPECT_TRUE(GetWindowLongW(floating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(floating, GW_OWNER), frame_.Handle());
  wchar_t caption[32] = {};
  GetWindowTextW(floating, caption, 32);
  EXPECT_STREQ(caption, L"格式");
  EXPECT_EQ(frame_.left.Width(), 0);
  // Floating, the buttons run across.
  EXPECT_EQ(bar.Button(1).ScreenRect().left, bar.Button(0).ScreenRect().right);

  const POINT title = CaptionPoint(bar);
  input::ClickAt(title, false, 2);
  ASSERT_EQ(bar.DockedTo(), &frame_.left);
  EXPECT_FALSE(IsWindowVisible(floating));
  EXPECT_GT(bar.Height(), bar.Width());
  EXPECT_EQ(changes, 3);

  // Floating again, its caption drags it onto the bottom dock.
  DragTo(GripPoint(bar), middle);
  ASSERT_EQ(bar.DockedTo(), nullptr);
  DragTo(CaptionPoint(bar), POINT{middle.x, client.bottom - 4});
  ASSERT_EQ(bar.DockedTo(), &frame_.bottom);
  EXPECT_GT(bar.Width(), bar.Height());
  EXPECT_EQ(frame_.bottom.Height(), bar.Height());
  EXPECT_EQ(changes, 5);

  // The floating window's close box hides the bar.
  DragTo(GripPoint(bar), middle);
  ASSERT_EQ(bar.DockedTo(), nullptr);
  const HWND window = FloatingWindow(bar);
  const TRect outer = ScreenRect(window);
  POINT closeBox{outer.right - 4, CaptionPoint(bar).y};
  while (closeBox.x > outer.left &&
         SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(closeBox.x, closeBox.y)) != HTCLOSE) {
    --closeBox.x;
  }
  input::ClickAt(POINT{closeBox.x - 3, closeBox.y});
  EXPECT_FALSE(bar.BarVisible());
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(changes, 7);
}

TEST_F(ToolbarTest, RowsAndPositionsSetUnderSuspensionAndFloatingBoundsComeBack) {
  TToolbar97 first(frame_, frame_.top, L"一");
  TToolbar97 second(frame_, frame_.top, L"二");
  TToolbar97 floating(frame_, frame_.top, L"三");
  for (TToolbar97* bar : {&first, &second, &floating}) {
    for (int i = 0; i < 3; ++i) bar->AddButton(L"按钮").SetSize(52, 45);
  }
  const TRect before = first.Bounds();
  {
    const auto hold = frame_.top.SuspendArrange();
    first.SetDockRow(1);
    first.SetDockPos(40);
    second.SetDockRow(0);
    second.SetDockPos(100);
    floating.Float();
    EXPECT_EQ(first.Bounds(), before);  // held off
  }
  EXPECT_EQ(first.DockRow(), 1);
  EXPECT_EQ(first.DockPos(), 40);
  EXPECT_EQ(second.DockRow(), 0);
  EXPECT_EQ(second.DockPos(), 100);
  EXPECT_EQ(second.Bounds().left, 100);
  EXPECT_EQ(second.Bounds().top, 0);
  EXPECT_EQ(first.Bounds().left, 40);
  EXPECT_EQ(first.Bounds().top, second.Bounds().bottom);
  EXPECT_EQ(frame_.top.Height(), 2 * second.Height());
  EXPECT_EQ(frame_.top.Bars(), (std::vector<TToolbar97*>{&second, &first}));

  const SIZE size{floating.Bounds().Width(), floating.Bounds().Height()};
  const TRect wanted = BoundsToRect(300, 320, size.cx + 10, size.cy);
  floating.SetBarBounds(wanted);
  EXPECT_EQ(ScreenRect(FloatingWindow(floating)), wanted);
  EXPECT_EQ(floating.Bounds(), wanted);
  floating.SetBarVisible(false);
  EXPECT_FALSE(IsWindowVisible(FloatingWindow(floating)));
  EXPECT_FALSE(floating.BarVisible());
  floating.SetBarVisible(true);
  EXPECT_TRUE(IsWindowVisible(FloatingWindow(floating)));
  // A hidden docked bar gives its row up.
  first.SetBarVisible(false);
  EXPECT_EQ(frame_.top.Height(), second.Height());
}

TEST_F(ToolbarTest, RightClicksShowTheDocksTheBarsAndTheFloatingBarsMenus) {
  TToolbar97 bar(frame_, frame_.top, L"标准");
  bar.AddButton(L"新建").SetSize(52, 45);
  TToolbar97 other(frame_, frame_.top, L"其他");
  other.AddButton(L"打开").SetSize(52, 45);
  TPopupMenu dockMenu;
  dockMenu.Items().Add(L"标准");
  TPopupMenu barMenu;
  barMenu.Items().Add(L"隐藏");
  std::vector<TControl*> shown;
  for (TPopupMenu* menu : {&dockMenu, &barMenu}) {
    menu->OnPopup = [&shown, menu] {
      shown.push_back(menu->PopupComponent());
      SetTimer(nullptr, 0, 100, EndMenuNow);
    };
  }
  frame_.top.SetPopupMenu(&dockMenu);
  bar.SetPopupMenu(&barMenu);
  input::Settle();

  const TRect dock = ScreenRect(frame_.top.Handle());
  input::ClickAt(POINT{dock.right - 20, (dock.top + dock.bottom) / 2}, true);
  input::ClickAt(Centre(bar.Button(0).ScreenRect()), true);
  input::ClickAt(Centre(other.Button(0).ScreenRect()), true);  // no menu of its own: the dock's
  bar.Float();
  input::Settle();
  input::ClickAt(CaptionPoint(bar), true);
  EXPECT_EQ(shown, (std::vector<TControl*>{&frame_.top, &bar, &frame_.top, &bar}));
}

}  // namespace
