#include "tests/support/RealFonts.h"
#include "tests/views/FontInfoPanelFixture.h"

using namespace info_test;

namespace {

class InfoPanelShownTest : public InfoPanelTest {
 protected:
  void ShowOne(int height) {
    record = Record({.name = "Keys", .maker = "Maker", .vendorUrl = "http://maker.example"});
    panel->SetBounds(0, 0, 400, height);
    panel->ShowFont(record.get());
    WaitForWorkers();
    input::Activate(form->Handle());
    panel->SetFocus();
    input::Settle();
  }
  std::unique_ptr<TFontFileInfo> record;
};

}  // namespace

TEST_F(InfoPanelShownTest, KeysScrollThroughTheSystemsInput) {
  ShowOne(150);
  ASSERT_TRUE(panel->Focused());
  const int bottom = panel->ContentHeight() - panel->ClientHeight();
  const int page = panel->ClientHeight();
  ASSERT_GT(bottom, 2 * page);
  struct Step { WORD key; TShiftState shift; int expected; };
  const Step steps[] = {
      {VK_NEXT, ssCtrl, bottom},         {VK_HOME, 0, 0},
      {VK_DOWN, 0, 16},                  {VK_DOWN, 0, 32},
      {VK_UP, 0, 16},                    {VK_DOWN, ssShift, 16 + page},
      {VK_UP, ssCtrl, 16},               {VK_NEXT, 0, 16 + page},
      {VK_PRIOR, ssShift, 16},           {VK_END, ssShift, bottom},
      {VK_PRIOR, ssCtrl, 0},             {VK_END, 0, bottom},
      {VK_PRIOR, 0, bottom - page},      {VK_HOME, ssCtrl, 0},
      {'A', 0, 0},                       {VK_LEFT, 0, 0},
  };
  for (const Step& step : steps) {
    input::Press(step.key, step.shift);
    EXPECT_EQ(panel->ScrollPos(), step.expected) << step.key << "+" << step.shift;
  }
  // The labels moved with the content.
  input::Press(VK_END);
  EXPECT_EQ(panel->Section(0).header->Top(), -bottom);
  EXPECT_TRUE(panel->Focused());

  // With the vertical scroll bar switched off the keys do nothing.
  panel->VertScrollBarVisible = false;
  input::Press(VK_HOME);
  EXPECT_EQ(panel->ScrollPos(), bottom);
}

TEST_F(InfoPanelShownTest, WhenEverythingFitsTheKeysHaveNoEffect) {
  ShowOne(1000);
  ASSERT_LE(panel->ContentHeight(), panel->ClientHeight());
  for (WORD key : {VK_NEXT, VK_END, VK_DOWN}) {
    input::Press(key, key == VK_NEXT ? TShiftState{ssCtrl} : TShiftState{0});
    EXPECT_EQ(panel->ScrollPos(), 0);
  }
  EXPECT_EQ(panel->Section(0).header->Top(), 0);
}

TEST_F(InfoPanelShownTest, OnlyANewWidthLaysOutAgainAndReturnsToTheTop) {
  ShowOne(200);
  const int layouts = panel->LayoutCount();
  input::Press(VK_END);
  ASSERT_GT(panel->ScrollPos(), 0);
  panel->SetBounds(0, 0, 400, 260);  // height alone
  ui::ProcessMessages();
  EXPECT_EQ(panel->LayoutCount(), layouts);
  EXPECT_GT(panel->ScrollPos(), 0);
  EXPECT_TRUE(panel->Visible());

  panel->SetBounds(0, 0, 300, 260);
  ui::ProcessMessages();
  EXPECT_EQ(panel->LayoutCount(), layouts + 1);
  EXPECT_EQ(panel->ScrollPos(), 0);
  EXPECT_EQ(panel->Section(0).header->Top(), 0);
  EXPECT_TRUE(panel->Visible());
  const int sb = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(panel->Section(1).values[0]->Width(), 300 - sb - 4);
  EXPECT_FALSE(panel->HorzScrollShown());

  // Narrower than the minimum: laid out at 200, scrolled sideways.
  panel->SetBounds(0, 0, 200 + sb + 3, 260);
  ui::ProcessMessages();
  EXPECT_EQ(panel->LayoutCount(), layouts + 2);
  EXPECT_TRUE(panel->HorzScrollShown());
  EXPECT_EQ(panel->Section(1).values[0]->Width(), 200);
  EXPECT_TRUE(GetWindowLongW(panel->Handle(), GWL_STYLE) & WS_HSCROLL);
}

// A real font on the real system, as a user sees it.
TEST(InfoPanelRealFont, DejaVuSerifFromDisk) {
  const char* path = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
  TTestWindow form(460, 720);
  form.SetText(L"字体信息");
  TFontInfoPanel panel(form);
  panel.SetBounds(0, 0, 440, 680);
  form.Show();
  TFontFileInfo record;
  record.SetFileName(WinePath(path));
  if (record.Bad()) GTEST_SKIP() << "DejaVu Serif is not installed";
  panel.ShowFont(&record);
  for (int i = 0; i < 400 && (panel.RunningWorkers() > 0 || !panel.Visible()); ++i) {
    ui::ProcessMessages();
    Sleep(5);
  }
  ASSERT_TRUE(panel.Visible());
  EXPECT_EQ(panel.Section(0).values[0]->Text(), L"DejaVu Serif");
  EXPECT_EQ(panel.Section(0).values[2]->Text(), L"Book");
  EXPECT_EQ(panel.Section(9).values[0]->Text(), L"Normal (Regular)");
  EXPECT_TRUE(panel.Section(2).header->Visible());  // copyright
  EXPECT_TRUE(panel.Section(7).header->Visible());  // licence, with its address
  EXPECT_TRUE(panel.Section(7).link->Openable());
}
