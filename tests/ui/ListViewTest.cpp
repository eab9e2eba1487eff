#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWindow.h"
#include "tests/support/Input.h"

namespace {

TEST(ListView, ColumnsRowsStateImagesAndSelectionReportedPerRow) {
  TTestWindow form;
  TListView view(form);
  view.AddColumn(L"字体名", 150);
  view.AddColumn(L"文件名", 100);
  EXPECT_EQ(view.ColumnCount(), 2);
  EXPECT_EQ(view.ColumnWidth(1), 100);
  view.SetColumnWidth(1, 80);
  view.SetColumnWidth(5, 80);  // no such column: nothing happens
  EXPECT_EQ(view.ColumnWidth(1), 80);
  view.DeleteColumn(1);
  EXPECT_EQ(view.ColumnCount(), 1);

  TImageList marks(9, 16);
  view.SetStateImages(&marks);
  EXPECT_EQ(view.StateImages(), marks.Handle());
  const int row = view.AddItem(L"Arial", 42);
  view.SetItemStateImage(row, 2);
  EXPECT_EQ(view.ItemStateImage(row), 2);
  view.SetItemStateImage(row, -1);
  EXPECT_EQ(view.ItemStateImage(row), -1);
  EXPECT_EQ(view.ItemData(row), 42);
  EXPECT_EQ(view.ItemText(row), L"Arial");
  EXPECT_EQ(view.FindCaption(L"ARIAL"), row);
  EXPECT_EQ(view.FindCaption(L"Arial Black"), -1);

  for (const wchar_t* name : {L"b", L"c"}) view.AddItem(name);
  std::vector<std::pair<int, bool>> reports;
  view.OnSelectItem = [&](int item, bool selected) { reports.emplace_back(item, selected); };
  view.SetItemIndex(1);
  view.SetSelected(2, true);
  EXPECT_EQ(view.SelCount(), 2);
  EXPECT_EQ(view.ItemIndex(), 1);
  EXPECT_EQ(view.FocusedItem(), 1);
  EXPECT_EQ(view.SelectedItems(), (std::vector<int>{1, 2}));
  view.SetItemIndex(0);
  EXPECT_EQ(view.SelectedItems(), (std::vector<int>{0}));
  const std::vector<std::pair<int, bool>> expected = {
      {1, true}, {2, true}, {1, false}, {2, false}, {0, true}};
  EXPECT_EQ(reports, expected);
}

TEST(ListView, VirtualRowsAskTheOwner) {
  TTestWindow form;
  TListView view(form, TListViewOptions{.ownerData = true});
  view.AddColumn(L"x", 100);
  view.AddColumn(L"y", 100);
  view.OnGetText = [](int item, int subItem, std::wstring& text) {
    text = (subItem == 0 ? L"row " : L"file ") + std::to_wstring(item);
  };
  view.OnGetStateImage = [](int item) { return item % 2 == 0 ? 1 : -1; };
  view.SetItemCount(10000);
  EXPECT_EQ(view.ItemCount(), 10000);
  EXPECT_EQ(view.ItemText(9999), L"row 9999");
  EXPECT_EQ(view.ItemText(5, 1), L"file 5");
  EXPECT_EQ(view.ItemText(10000), L"");
  EXPECT_EQ(view.ItemStateImage(4), 1);
  EXPECT_EQ(view.ItemStateImage(5), -1);
  EXPECT_EQ(view.FindCaption(L"ROW 17"), 17);

  int rangeReports = 0;
  view.OnSelectItem = [&](int item, bool) { rangeReports += item == -1 ? 1 : 0; };
  view.SetAllSelected(true);
  EXPECT_EQ(view.SelCount(), 10000);
  view.SetAllSelected(false);  // many selected: cleared at once
  EXPECT_EQ(view.SelCount(), 0);
  for (int item : {2, 9998, 9999}) view.SetSelected(item, true);
  view.SetAllSelected(false);  // a few: cleared one by one
  EXPECT_EQ(view.SelCount(), 0);
  EXPECT_EQ(view.NextSelected(0), -1);
  view.SetAllSelected(true);
  view.SetItemIndex(3);
  view.SetItemCount(2);  // fewer rows: selection past the end goes
  EXPECT_LE(view.SelCount(), 2);
  EXPECT_GE(rangeReports, 1);
}

TEST(ListView, CaptionEditingCanBeRefusedChangedOrAccepted) {
  TTestWindow form;
  form.Show();
  TListView view(form, TListViewOptions{.editCaptions = true});
  view.AddColumn(L"x", 100);
  view.AddItem(L"old");
  bool allow = false;
  view.OnEditing = [&](int) { return allow; };
  view.EditCaption(0);
  EXPECT_EQ(view.EditHandle(), nullptr);

  allow = true;
  std::wstring reported;
  bool accept = false;
  view.OnEdited = [&](int, std::wstring& text) {
    reported = text;
    return accept;
  };
  auto editTo = [&](const wchar_t* text) {
    view.EditCaption(0);
    HWND edit = view.EditHandle();
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, text);
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    input::Settle();
  };
  editTo(L"refused");
  EXPECT_EQ(reported, L"refused");
  EXPECT_EQ(view.ItemText(0), L"old");

  accept = true;
  editTo(L"taken");
  EXPECT_EQ(view.ItemText(0), L"taken");

  view.OnEdited = [&](int, std::wstring& text) {
    text = L"[" + text + L"]";
    return true;
  };
  editTo(L"changed");
  EXPECT_EQ(view.ItemText(0), L"[changed]");
}

}  // namespace
