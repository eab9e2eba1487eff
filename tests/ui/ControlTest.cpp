#include <gtest/gtest.h>

#include <memory>

#include "TestWindow.h"

namespace {

TEST(Control, AlignedChildrenFollowTheParentsSizeBordersAndBevels) {
  TTestWindow form;
  form.SetClientSize(300, 200);
  TPanel top(form);
  top.SetHeight(20);
  top.SetAlign(alTop);
  TPanel left(form);
  left.SetWidth(80);
  left.SetAlign(alLeft);
  left.SetBevelOuter(bvLowered);
  left.SetBorderWidth(5);
  TPanel inner(left);
  inner.SetAlign(alClient);
  TPanel rest(form);
  rest.SetAlign(alClient);

  EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, 300, 20}));
  EXPECT_EQ(left.BoundsRect(), (TRect{0, 20, 80, 200}));
  EXPECT_EQ(rest.BoundsRect(), (TRect{80, 20, 300, 200}));
  // Bevel 1 + border 5 on every side.
  EXPECT_EQ(inner.BoundsRect(), (TRect{6, 6, 74, 174}));

  form.SetClientSize(400, 250);
  EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, 400, 20}));
  EXPECT_EQ(rest.BoundsRect(), (TRect{80, 20, 400, 250}));

  top.SetVisible(false);
  EXPECT_EQ(left.BoundsRect(), (TRect{0, 0, 80, 250}));
  left.SetWidth(100);  // an aligned control keeps the size it is given
  EXPECT_EQ(rest.BoundsRect(), (TRect{100, 0, 400, 250}));
}

TEST(Control, UnderAnAlignBatchEachControlIsLaidOutOnceWhenTheLastBatchEndsAndTheWindowShowsAgain) {
  TTestWindow form;
  form.SetClientSize(300, 200);
  form.Show();
  auto batch = std::make_unique<TAlignBatch>(form);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));  // its drawing is held
  TPanel left(form);
  left.SetWidth(80);
  left.SetAlign(alLeft);
  left.SetBorderWidth(5);
  TPanel inner(left);
  inner.SetAlign(alClient);
  TPanel top(inner);
  top.SetHeight(20);
  top.SetAlign(alTop);
  TPanel rest(form);
  rest.SetAlign(alClient);
  auto gone = std::make_unique<TPanel>(form);
  gone->SetAlign(alTop);
  gone.reset();  // held, then destroyed before the batch ends
  int resizes[4] = {};
  TPanel* panels[4] = {&left, &inner, &top, &rest};
  for (int i = 0; i < 4; ++i) panels[i]->OnResize = [&resizes, i] { ++resizes[i]; };
  {
    TAlignBatch nested;
  }
  EXPECT_EQ(rest.BoundsRect(), (TRect{0, 0, 100, 100}));  // still where it was made

  batch.reset();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(left.BoundsRect(), (TRect{0, 0, 80, 200}));
  EXPECT_EQ(inner.BoundsRect(), (TRect{5, 5, 75, 195}));
  EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, 70, 20}));
  EXPECT_EQ(rest.BoundsRect(), (TRect{80, 0, 300, 200}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(resizes[i], 1) << i;
  form.SetClientSize(320, 200);  // and the layer lays out at once again
  EXPECT_EQ(rest.BoundsRect(), (TRect{80, 0, 320, 200}));

  // A batch inside another draws its window again when it ends itself.
  TAlignBatch outer;
  {
    const TAlignBatch leftHeld(left);
    EXPECT_FALSE(IsWindowVisible(left.Handle()));
  }
  EXPECT_TRUE(IsWindowVisible(left.Handle()));
}

TEST(Control, SplitterResizesTheControlBeforeIt) {
  TTestWindow form;
  form.SetClientSize(200, 300);
  TPanel list(form);
  list.SetHeight(93);
  list.SetAlign(alTop);
  TSplitter splitter(form, alTop, 5);
  TPanel below(form);
  below.SetAlign(alClient);
  ASSERT_EQ(splitter.Neighbour(), &list);
  EXPECT_EQ(splitter.BoundsRect(), (TRect{0, 93, 200, 98}));

  int moved = 0;
  splitter.OnMoved = [&] { ++moved; };
  splitter.MoveBy(20);
  EXPECT_EQ(list.Height(), 113);
  EXPECT_EQ(below.Top(), 118);
  splitter.MoveBy(-500);  // never below the minimum
  EXPECT_EQ(list.Height(), splitter.MinSize);
  splitter.MoveBy(5000);  // nor past the room the client control has
  EXPECT_EQ(below.Height(), splitter.MinSize);
  EXPECT_EQ(moved, 3);
}

TEST(Control, CommandsComeBackToTheControlThatSentThemAndRadioButtonsOfAGroupExcludeEachOther) {
  TTestWindow form;
  TButton one(form, L"one");
  TButton two(form, L"two");
  int clicksOne = 0;
  int clicksTwo = 0;
  one.OnClick = [&] { ++clicksOne; };
  two.OnClick = [&] { ++clicksTwo; };
  two.Perform(BM_CLICK);
  EXPECT_EQ(clicksOne, 0);
  EXPECT_EQ(clicksTwo, 1);

  // Controls on a panel report to themselves, not to the form.
  TPanel panel(form);
  TPanel inner(panel);
  TButton deep(inner, L"deep");
  int deepClicks = 0;
  deep.OnClick = [&] { ++deepClicks; };
  deep.Perform(BM_CLICK);
  EXPECT_EQ(deepClicks, 1);

  TCheckBox box(form, L"box");
  int boxClicks = 0;
  box.OnClick = [&] { ++boxClicks; };
  box.Perform(BM_CLICK);
  EXPECT_TRUE(box.Checked());
  box.SetChecked(true);  // no change, no event
  box.SetChecked(false);
  EXPECT_EQ(boxClicks, 2);

  TEdit edit(form);
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.SetText(L"abc");
  edit.SetText(L"abc");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit.Text(), L"abc");

  TRadioButton a(form, L"a", true);
  TRadioButton b(form, L"b");
  TRadioButton other(form, L"other group", true);
  other.SetChecked(true);
  int clicksB = 0;
  b.OnClick = [&] { ++clicksB; };
  a.SetChecked(true);
  b.SetChecked(true);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(other.Checked());
  EXPECT_EQ(clicksB, 1);
}

TEST(Control, FocusEntersAndLeavesChainsOfParentsKeyPreviewComesFirstAndAGoneControlIsForgotten) {
  TTestWindow form;
  form.Show();
  TCompPanel composite(form);
  TEdit inside(composite);
  composite.SetMainChild(&inside);
  TEdit outside(form);
  std::string log;
  composite.OnEnter = [&] { log += "enter-comp "; };
  composite.OnExit = [&] { log += "exit-comp "; };
  inside.OnEnter = [&] { log += "enter-inside "; };
  inside.OnExit = [&] { log += "exit-inside "; };
  outside.OnEnter = [&] { log += "enter-outside "; };

  composite.SetFocus();  // handed to the main child
  EXPECT_TRUE(inside.Focused());
  EXPECT_EQ(form.ActiveControl(), &inside);
  outside.SetFocus();
  EXPECT_EQ(log, "enter-comp enter-inside exit-inside exit-comp enter-outside ");
  EXPECT_EQ(form.ActiveControl(), &outside);

  // With KeyPreview the form sees the keys first and may swallow them.
  form.KeyPreview = true;
  log.clear();
  form.OnKeyDown = [&](WORD& key, TShiftState) {
    log += "form ";
    if (key == VK_F9) key = 0;
  };
  outside.OnKeyDown = [&](WORD&, TShiftState) { log += "edit "; };
  MSG msg{outside.Handle(), WM_KEYDOWN, VK_F8, 0, 0, {}};
  EXPECT_FALSE(ui::PreviewKeyMessage(msg));
  msg.wParam = VK_F9;
  EXPECT_TRUE(ui::PreviewKeyMessage(msg));
  EXPECT_EQ(log, "form edit form ");

  {
    TEdit edit(form);
    edit.SetFocus();
    EXPECT_EQ(form.ActiveControl(), &edit);
  }
  EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST(Control, EditColoursComeFromTheSettingsWay) {
  EXPECT_EQ(ui::ColourToRGB(0x00336699), COLORREF(0x336699));
  EXPECT_EQ(ui::ColourToRGB(static_cast<int32_t>(0x80000005u)), GetSysColor(COLOR_WINDOW));
  TTestWindow form;
  TMemo memo(form);
  memo.SetColors(RGB(10, 20, 30), RGB(200, 210, 220));
  const TWindowDC dc(memo.Handle());
  const auto brush = reinterpret_cast<HBRUSH>(
      form.Perform(WM_CTLCOLOREDIT, ui::AsWParam(dc.Get()), ui::AsLParam(memo.Handle())));
  LOGBRUSH info{};
  ASSERT_TRUE(GetObjectW(brush, sizeof(info), &info));
  EXPECT_EQ(info.lbColor, RGB(200, 210, 220));
  EXPECT_EQ(GetTextColor(dc.Get()), RGB(10, 20, 30));
}

}  // namespace
