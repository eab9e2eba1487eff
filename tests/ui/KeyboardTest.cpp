// The keys of every Windows program, typed through the input queue: Tab
// order across panels and pages, the arrows in a radio group, accelerators
// of labels, buttons and pages, and shortcuts that leave text editors alone.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "sys/sys.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

class TKeysForm : public TTestWindow {
 public:
  TKeysForm() : TTestWindow(420, 340) {
    pnlTop.SetBounds(0, 0, 400, 40);
    edtFirst.SetBounds(5, 5, 150, 21);
    edtSecond.SetBounds(200, 5, 150, 21);
    pages.SetBounds(0, 50, 400, 120);
    lblOnPage.SetBounds(5, 35, 60, 16);
    edtOnPage.SetBounds(70, 30, 150, 21);
    cbOnPage.SetBounds(5, 60, 120, 17);
    edtHidden.SetBounds(5, 30, 150, 21);
    rbA.SetBounds(5, 180, 80, 17);
    rbB.SetBounds(5, 200, 80, 17);
    btnGo.SetBounds(5, 230, 75, 25);
    lblToggle.SetBounds(100, 235, 60, 16);
    cbToggle.SetBounds(170, 235, 15, 15);
    lblToggle.SetFocusControl(&cbToggle);
    edtSecond.SetTabOrder(0);
    btnGo.OnClick = [this] { ++clicks; };
    pages.OnChange = [this] { ++pageChanges; };
  }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_ENTERMENULOOP) ++menuLoops;
    return TTestWindow::OnMessage(msg, wParam, lParam);
  }

  TPanel pnlTop{*this};
  TEdit edtFirst{pnlTop};
  TEdit edtSecond{pnlTop};
  TPageControl pages{*this};
  TTabSheet tsOne{pages, L"一(&1)"};
  TLabel lblOnPage{tsOne, L"名称(&N):"};
  TEdit edtOnPage{tsOne};
  TCheckBox cbOnPage{tsOne, L"选项(&X)"};
  TTabSheet tsTwo{pages, L"二(&2)"};
  TEdit edtHidden{tsTwo};
  TRadioButton rbA{*this, L"甲(&A)", true};
  TRadioButton rbB{*this, L"乙(&B)"};
  TButton btnGo{*this, L"执行(&G)"};
  TLabel lblToggle{*this, L"包含(&U)"};
  TCheckBox cbToggle{*this, L""};
  int clicks = 0;
  int pageChanges = 0;
  int menuLoops = 0;
};

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() : form(std::make_unique<TKeysForm>()) { input::Activate(form->Handle()); }
  std::unique_ptr<TKeysForm> form;
};

TEST_F(KeyboardTest, TabVisitsTheStopsInTabOrderAcrossPanelsAndTheShownPageOnlyAndAltAcceleratorsFocusClickAndShowPages) {
  form->edtSecond.SetFocus();
  const std::vector<HWND> expected{form->edtFirst.Handle(), form->pages.Handle(),
                                   form->edtOnPage.Handle(), form->cbOnPage.Handle(),
                                   form->rbA.Handle(),       form->btnGo.Handle(),
                                   form->cbToggle.Handle(),  form->edtSecond.Handle()};
  for (HWND next : expected) {
    input::Press(VK_TAB);
    EXPECT_EQ(GetFocus(), next);
  }
  input::Press(VK_TAB, ssShift);
  EXPECT_EQ(GetFocus(), form->cbToggle.Handle());

  // The arrows move within the group and check; Tab then leaves from the checked one.
  form->rbA.SetFocus();
  input::Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), form->rbB.Handle());
  EXPECT_TRUE(form->rbB.Checked());
  EXPECT_FALSE(form->rbA.Checked());
  input::Press(VK_TAB);
  input::Press(VK_TAB, ssShift);
  EXPECT_EQ(GetFocus(), form->rbB.Handle());

  // Alt with an accelerator focuses, clicks and shows pages.
  form->edtFirst.SetFocus();
  input::Press('N', ssAlt);
  EXPECT_EQ(GetFocus(), form->edtOnPage.Handle()) << "the label's accelerator goes to its control";

  input::Press('G', ssAlt);
  EXPECT_EQ(form->clicks, 1);
  // Alt let go before the letter, as quick hands do: the accelerator, and no
  // menu (an Escape queued after would end one).
  SendInput(6, std::array{input::detail::Key(VK_MENU, false), input::detail::Key('G', false),
                          input::detail::Key(VK_MENU, true), input::detail::Key('G', true),
                          input::detail::Key(VK_ESCAPE, false), input::detail::Key(VK_ESCAPE, true)}
                   .data(),
            sizeof(INPUT));
  input::Settle();
  EXPECT_EQ(form->clicks, 2);
  EXPECT_EQ(form->menuLoops, 0);

  input::Press('U', ssAlt);
  EXPECT_TRUE(form->cbToggle.Checked()) << "a label of a check box toggles it";
  EXPECT_EQ(GetFocus(), form->cbToggle.Handle());

  input::Press('2', ssAlt);
  EXPECT_EQ(form->pages.ActivePage(), &form->tsTwo);
  EXPECT_EQ(form->pageChanges, 1);
  // The accelerators of a hidden page's controls are out of reach.
  input::Press('X', ssAlt);
  EXPECT_FALSE(form->cbOnPage.Checked());
}

class TShortcutForm : public TTestWindow {
 public:
  TShortcutForm() {
    host.SetAlign(alClient);
    host.SetPopupMenu(&menu);
    edit.SetBounds(5, 5, 150, 21);
    list.SetBounds(5, 40, 200, 150);
    list.AddColumn(L"名", 150);
    list.AddItem(L"Alpha");
    list.AddItem(L"Beta");
  }
  TPanel host{*this};
  TEdit edit{host};
  TListView list{host, TListViewOptions{.multiSelect = false, .editCaptions = true}};
  TPopupMenu menu;
  int deletes = 0;
  int copies = 0;
  TMenuItem& pmDelete = menu.Items().Add({L"删除(&D)", {VK_DELETE, 0}, {}, [this] { ++deletes; }});
  TMenuItem& pmCopy = menu.Items().Add({L"复制(&C)", {'C', ssCtrl}, {}, [this] { ++copies; }});
};

TEST(ShortcutTest, DelAndCtrlCReachTextEditorsNotTheShortcutsAbove) {
  const auto form = std::make_unique<TShortcutForm>();
  input::Activate(form->Handle());

  form->edit.SetText(L"abc");
  form->edit.SetFocus();
  form->edit.SetSel(0, 0);
  input::Press(VK_DELETE);
  input::Press('C', ssCtrl);
  EXPECT_EQ(form->edit.Text(), L"bc");
  EXPECT_EQ(form->deletes, 0);
  EXPECT_EQ(form->copies, 0);

  form->list.SetFocus();
  form->list.SetItemIndex(1);
  input::Press(VK_DELETE);
  input::Press('C', ssCtrl);
  EXPECT_EQ(form->deletes, 1);
  EXPECT_EQ(form->copies, 1);
  // The pump of a long scan (the platform layer's) routes keys the same way.
  PostMessageW(form->list.Handle(), WM_KEYDOWN, VK_DELETE, 0);
  sys::Current().ProcessMessages();
  EXPECT_EQ(form->deletes, 2);

  // Renaming in place: the caption editor gets Del, Home and Esc.
  form->list.EditCaption(1);
  ui::ProcessMessages();
  const HWND editor = form->list.EditHandle();
  ASSERT_NE(editor, nullptr);
  input::Press(VK_HOME);
  input::Press(VK_DELETE);
  wchar_t text[16] = {};
  GetWindowTextW(editor, text, 16);
  EXPECT_STREQ(text, L"eta");
  EXPECT_EQ(form->deletes, 2);
  input::Press(VK_ESCAPE);
  EXPECT_EQ(form->list.EditHandle(), nullptr);
  EXPECT_EQ(form->list.ItemText(1), L"Beta");
}

}  // namespace
