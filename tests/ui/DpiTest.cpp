#include <gtest/gtest.h>

#include "TestWindow.h"
#include "ui/Gdi.h"

namespace {

int CharacterHeight(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  return -lf.lfHeight;
}

TEST(Dpi, SizesAt96DpiScaleAsWindowsRoundsAndTheInterfaceFontsKeepTheirNinePoints) {
  // The 52 x 45 and 29 x 26 tool buttons, a 75-pixel button, a 1-pixel line.
  struct Case {
    int dpi, w52, h45, w29, h26, b75, line;
  };
  for (const Case c : {Case{96, 52, 45, 29, 26, 75, 1}, Case{120, 65, 56, 36, 33, 94, 1},
                       Case{144, 78, 68, 44, 39, 113, 2}, Case{192, 104, 90, 58, 52, 150, 2}}) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ui::ScaleToDpi(52, c.dpi), c.w52);
    EXPECT_EQ(ui::ScaleToDpi(45, c.dpi), c.h45);
    EXPECT_EQ(ui::ScaleToDpi(29, c.dpi), c.w29);
    EXPECT_EQ(ui::ScaleToDpi(26, c.dpi), c.h26);
    EXPECT_EQ(ui::ScaleToDpi(75, c.dpi), c.b75);
    EXPECT_EQ(ui::ScaleToDpi(1, c.dpi), c.line);
    EXPECT_EQ(ui::ScaleToDpi(-6, c.dpi), -ui::ScaleToDpi(6, c.dpi));  // halves away from zero
    EXPECT_EQ(ui::RescaleDpi(ui::ScaleToDpi(200, c.dpi), c.dpi, 96), 200);

    const int pixels = ui::PointsToPixels(9, c.dpi);
    EXPECT_EQ(pixels, c.dpi * 9 / 72);
    EXPECT_EQ(CharacterHeight(ui::DefaultFont(c.dpi)), pixels);
    EXPECT_EQ(CharacterHeight(ui::SongFont(c.dpi)), pixels);
    EXPECT_EQ(CharacterHeight(ui::SongBoldFont(c.dpi)), pixels);
    EXPECT_EQ(ui::SongFont(c.dpi), ui::SongFont(c.dpi));  // made once per dpi
    EXPECT_EQ(ui::InterfaceFontAtDpi(ui::SongBoldFont(96), c.dpi), ui::SongBoldFont(c.dpi));
    EXPECT_EQ(ui::InterfaceFontAtDpi(ui::DefaultFont(c.dpi), 96), ui::DefaultFont(96));
  }
  EXPECT_EQ(ui::InterfaceFontAtDpi(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), 120), nullptr);
  // The test prefix runs at 96 dpi.
  EXPECT_EQ(ui::SystemDpi(), 96);
  EXPECT_EQ(ui::DefaultFont(), ui::DefaultFont(96));
}

}  // namespace

namespace {

TEST(Dpi, AWindowToldOfANewScaleTakesTheSuggestedPlaceAndRescalesItsControlsAndFonts) {
  TTestWindow form;
  form.SetFont(ui::SongFont(96));
  ASSERT_EQ(form.Dpi(), 96);
  form.SetClientSize(300, 200);
  TPanel side(form);
  side.SetWidth(80);
  side.SetAlign(alLeft);
  TButton button(form, L"确定");
  button.SetBounds(100, 40, 75, 25);
  TLabel heading(side, L"标题");
  heading.SetFont(ui::SongBoldFont(96));
  heading.SetBounds(8, 10, 50, 14);
  TListView list(form);
  list.SetBounds(100, 80, 180, 100);
  list.AddColumn(L"字体名", 120);
  list.AddColumn(L"文件", 45);
  int heard = 0;
  form.OnDpiChanged = [&] { ++heard; };

  RECT suggested{50, 60, 50 + 700, 60 + 500};
  form.Perform(WM_DPICHANGED, MAKEWPARAM(192, 192), ui::AsLParam(&suggested));
  EXPECT_EQ(form.Dpi(), 192);
  EXPECT_EQ(ui::DpiOf(button), 192);
  EXPECT_EQ(form.BoundsRect(), (TRect{50, 60, 750, 560}));
  EXPECT_EQ(side.Width(), 160);
  EXPECT_EQ(side.Height(), form.ClientHeight());  // aligned again in the new client area
  EXPECT_EQ(button.BoundsRect(), (TRect{200, 80, 350, 130}));
  EXPECT_EQ(heading.BoundsRect(), (TRect{16, 20, 116, 48}));
  EXPECT_EQ(form.Font(), ui::SongFont(192));
  EXPECT_EQ(button.Font(), ui::SongFont(192));  // it had its parent's
  EXPECT_EQ(heading.Font(), ui::SongBoldFont(192));
  EXPECT_EQ(list.ColumnWidth(0), 240);
  EXPECT_EQ(list.ColumnWidth(1), 90);
  EXPECT_EQ(heard, 1);

  // Back at 120: from the 192 pixels, rounded as Windows rounds.
  suggested = RECT{0, 0, 500, 400};
  form.Perform(WM_DPICHANGED, MAKEWPARAM(120, 120), ui::AsLParam(&suggested));
  EXPECT_EQ(button.BoundsRect(), (TRect{125, 50, 219, 81}));
  EXPECT_EQ(heading.Font(), ui::SongBoldFont(120));
  EXPECT_EQ(list.ColumnWidth(1), 56);  // 90 x 120 / 192 = 56.25
  // The same scale again changes nothing but the place.
  form.Perform(WM_DPICHANGED, MAKEWPARAM(120, 120), ui::AsLParam(&suggested));
  EXPECT_EQ(button.BoundsRect(), (TRect{125, 50, 219, 81}));
  EXPECT_EQ(heard, 2);
}

}  // namespace
