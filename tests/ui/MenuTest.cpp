#include <gtest/gtest.h>

#include "TestWindow.h"

namespace {

std::wstring MenuText(HMENU menu, int position) {
  wchar_t buffer[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), buffer, 128, MF_BYPOSITION);
  return buffer;
}

UINT StateAt(HMENU menu, int position) {
  return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

TEST(Menu, CaptionsShortcutsStatesAndHiddenItemsReachTheSystemMenuInTheirPlace) {
  TMainMenu menu;
  TMenuItem& file = menu.Items().Add(L"文件(&F)");
  TMenuItem& open = file.Add(L"新建字体窗口(&N)", TShortCut{'N', ssCtrl});
  file.AddSeparator();
  TMenuItem& exit = file.Add(L"退出(&X)");
  HMENU sub = file.SubmenuHandle();
  ASSERT_EQ(GetMenuItemCount(sub), 3);
  EXPECT_EQ(MenuText(sub, 0), L"新建字体窗口(&N)\tCtrl+N");
  EXPECT_TRUE(StateAt(sub, 1) & MF_SEPARATOR);
  EXPECT_EQ(TShortCut({VK_RETURN, ssAlt}).Text(), L"Alt+Enter");
  EXPECT_EQ(TShortCut({VK_F2, 0}).Text(), L"F2");

  open.SetEnabled(false);
  exit.SetChecked(true);
  EXPECT_TRUE(StateAt(sub, 0) & MF_GRAYED);
  EXPECT_TRUE(StateAt(sub, 2) & MF_CHECKED);
  open.SetCaption(L"新(&N)");
  EXPECT_EQ(MenuText(sub, 0), L"新(&N)\tCtrl+N");

  // Hidden items leave and come back in their place.
  TPopupMenu popup;
  TMenuItem& a = popup.Items().Add(L"a");
  TMenuItem& b = popup.Items().Add(L"b");
  TMenuItem& c = popup.Items().Add(L"c");
  b.SetVisible(false);
  a.SetVisible(false);
  ASSERT_EQ(GetMenuItemCount(popup.Handle()), 1);
  b.SetVisible(true);
  a.SetVisible(true);
  ASSERT_EQ(GetMenuItemCount(popup.Handle()), 3);
  EXPECT_EQ(MenuText(popup.Handle(), 0), L"a");
  EXPECT_EQ(MenuText(popup.Handle(), 1), L"b");
  EXPECT_EQ(MenuText(popup.Handle(), 2), L"c");
  c.SetVisible(false);
  popup.Items().Delete(0);
  ASSERT_EQ(GetMenuItemCount(popup.Handle()), 1);
  EXPECT_EQ(MenuText(popup.Handle(), 0), L"b");
}

TEST(Menu, CommandsRunTheEnabledItemOnlyAndShortcutsRunPopupItemsOfTheFocusedControlFirst) {
  TTestWindow form;
  TMainMenu menu;
  TMenuItem& file = menu.Items().Add(L"File");
  TMenuItem& item = file.Add(L"Item");
  TMenuItem& mainItem = file.Add(L"Main", TShortCut{'P', ssCtrl});
  form.SetMenu(&menu);
  int clicks = 0;
  item.OnClick = [&] { ++clicks; };
  form.Perform(WM_COMMAND, MAKEWPARAM(item.CommandId(), 0), 0);
  item.SetEnabled(false);
  form.Perform(WM_COMMAND, MAKEWPARAM(item.CommandId(), 0), 0);
  EXPECT_EQ(clicks, 1);

  int opened = 0;
  file.OnClick = [&] { ++opened; };
  form.Perform(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file.SubmenuHandle()), 0);
  EXPECT_EQ(opened, 1);

  TEdit edit(form);
  TPopupMenu popup;
  TMenuItem& popupItem = popup.Items().Add(L"Popup", TShortCut{'P', ssCtrl});
  edit.SetPopupMenu(&popup);
  std::string log;
  mainItem.OnClick = [&] { log += "main "; };
  popupItem.OnClick = [&] { log += "popup "; };
  file.OnClick = [&] { log += "file-opened "; };
  EXPECT_TRUE(TMenuItem::HandleShortCut(edit, 'P', ssCtrl));
  popupItem.SetEnabled(false);
  EXPECT_TRUE(TMenuItem::HandleShortCut(edit, 'P', ssCtrl));
  mainItem.SetEnabled(false);
  EXPECT_FALSE(TMenuItem::HandleShortCut(edit, 'P', ssCtrl));
  EXPECT_FALSE(TMenuItem::HandleShortCut(edit, 'Q', ssCtrl));
  // The parent's OnClick runs first so that it can bring the states up to date.
  EXPECT_EQ(log, "popup file-opened main file-opened ");
}

}  // namespace
