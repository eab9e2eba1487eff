#include <gtest/gtest.h>

#include "TestWindow.h"

namespace {

TEST(PageControl, OnlyTheActivePageShowsAndFillsTheTabsArea) {
  TTestWindow form;
  form.SetClientSize(300, 200);
  TPageControl pages(form);
  pages.SetAlign(alClient);
  TTabSheet one(pages, L"已安装(&I)");
  TTabSheet two(pages, L"藏品(&C)");
  TTabSheet three(pages, L"浏览(&B)");
  EXPECT_EQ(pages.PageCount(), 3);
  EXPECT_EQ(pages.ActivePage(), &one);
  EXPECT_TRUE(one.Visible());
  EXPECT_FALSE(two.Visible());
  EXPECT_EQ(two.BoundsRect(), one.BoundsRect());
  EXPECT_GT(one.Top(), 10);  // below the tabs
  EXPECT_GT(one.Width(), 250);

  int changes = 0;
  pages.OnChange = [&] { ++changes; };
  pages.SetActivePage(&three);  // a program's choice: no event
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(pages.ActivePageIndex(), 2);
  EXPECT_TRUE(three.Visible());
  EXPECT_FALSE(one.Visible());
  EXPECT_EQ(three.PageIndex(), 2);
}

TEST(PageControl, ChoosingATabRunsOnChangeUnlessRefusedAndAPageThatGoesTakesItsTab) {
  TTestWindow form;
  TPageControl pages(form);
  TTabSheet one(pages, L"one");
  auto two = std::make_unique<TTabSheet>(pages, L"two");
  int changes = 0;
  bool allow = true;
  pages.OnChanging = [&](bool& ok) { ok = allow; };
  pages.OnChange = [&] {
    ++changes;
    EXPECT_TRUE(two->Visible());  // the new page shows before the handler runs
  };
  // As a click on the tab does: the control notifies its parent.
  pages.Perform(TCM_SETCURFOCUS, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pages.ActivePage(), two.get());

  // A refusal is the notification's result, which the control acts on.
  allow = false;
  NMHDR header{pages.Handle(), 0, static_cast<UINT>(TCN_SELCHANGING)};
  EXPECT_EQ(form.Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), TRUE);
  allow = true;
  EXPECT_EQ(form.Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), FALSE);
  EXPECT_EQ(changes, 1);

  // A page that goes takes its tab.
  pages.OnChange = nullptr;
  two.reset();
  EXPECT_EQ(pages.PageCount(), 1);
  EXPECT_EQ(TabCtrl_GetItemCount(pages.Handle()), 1);
  EXPECT_EQ(pages.ActivePage(), &one);
  EXPECT_TRUE(one.Visible());
}

}  // namespace
