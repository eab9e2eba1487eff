// OnSelectionChange of the edit box, the memo and the combo box, caused by
// real keys and clicks: raised once per release that changed the selection,
// before the republished OnKeyUp / OnMouseUp / OnEnter / OnExit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/TestWindow.h"
#include "tests/support/Input.h"
#include "views/SelectionEdit.h"

namespace {

class TSelectionForm : public TTestWindow {
 public:
  TSelectionForm() : TTestWindow(420, 300) {
    edt.SetBounds(10, 10, 200, 21);
    mem.SetBounds(10, 40, 200, 80);
    cmb.SetBounds(10, 130, 200, 200);
    btn.SetBounds(250, 10, 75, 25);
    edt.SetText(L"hello world");
    mem.SetText(L"first line\r\nsecond line\r\nthird");
    cmb.SetItems({L"甲", L"乙"});
    cmb.SetText(L"combo text");
    Watch(edt, "edt");
    Watch(mem, "mem");
    Watch(cmb, "cmb");
    cmb.OnEnter = [this] { log.push_back("cmb enter"); };
    cmb.OnExit = [this] { log.push_back("cmb exit"); };
  }
  template <typename Control>
  void Watch(Control& control, std::string name) {
    control.OnSelectionChange = [this, &control, name] {
      log.push_back(name + " sel " + std::to_string(control.SelStart()) + "," +
                    std::to_string(control.SelLength()));
    };
    control.OnKeyUp = [this, name](WORD& key, TShiftState) {
      log.push_back(name + " keyup " + std::to_string(key));
    };
    control.OnMouseUp = [this, name](TMouseButton button, TShiftState shift, int, int) {
      log.push_back(name + " mouseup " + std::to_string(button) + (shift & ssShift ? " shift" : ""));
    };
  }
  // The selection events logged, in order.
  std::vector<std::string> Selections() const {
    std::vector<std::string> result;
    for (const std::string& line : log) {
      if (line.find(" sel ") != std::string::npos) result.push_back(line);
    }
    return result;
  }

  TEdit2 edt{*this};
  TMemo2 mem{*this};
  TComboBox2 cmb{*this};
  TButton btn{*this, L"按钮"};
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;
const std::string kRight = std::to_string(VK_RIGHT);
const std::string kShift = std::to_string(VK_SHIFT);

class InputSelectionTest : public ::testing::Test {
 protected:
  InputSelectionTest() : form(std::make_unique<TSelectionForm>()) { input::Activate(form->Handle()); }
  std::unique_ptr<TSelectionForm> form;
};

TEST_F(InputSelectionTest, EditKeysRaiseTheEventOnTheReleaseThatChangedTheSelectionOnly) {
  form->edt.SetFocus();
  form->edt.SetSel(0, 0);
  input::Settle();
  form->log.clear();

  input::Press(VK_RIGHT);  // a caret moving with nothing selected
  input::Press(VK_END);
  input::Press(VK_HOME);
  EXPECT_EQ(form->Selections(), Log{});

  form->log.clear();
  input::Press(VK_RIGHT, ssShift);
  EXPECT_EQ(form->log, (Log{"edt sel 0,1", "edt keyup " + kRight, "edt keyup " + kShift}));
  input::Press(VK_RIGHT, ssShift);
  input::Press(VK_END, ssShift);
  input::Press(VK_LEFT, ssShift);  // shorter by one: a change
  EXPECT_EQ(form->Selections(), (Log{"edt sel 0,1", "edt sel 0,2", "edt sel 0,11", "edt sel 0,10"}));

  // A click removes the selection: once. A further click with nothing selected: none.
  form->log.clear();
  input::Click(form->edt.Handle(), 40, 10);
  EXPECT_EQ(form->log.size(), 2u);
  ASSERT_EQ(form->Selections().size(), 1u);
  EXPECT_NE(form->Selections()[0].find(",0"), std::string::npos) << form->Selections()[0];
  EXPECT_EQ(form->log.back(), "edt mouseup 0");
  input::Click(form->edt.Handle(), 80, 10);
  EXPECT_EQ(form->log.size(), 3u);
  EXPECT_EQ(form->log.back(), "edt mouseup 0");

  // Shift+click selects up to the point: a change.
  form->log.clear();
  input::Click(form->edt.Handle(), 10, 10, ssShift);
  ASSERT_EQ(form->Selections().size(), 1u);
  EXPECT_EQ(form->log[1], "edt mouseup 0 shift");
}

TEST_F(InputSelectionTest, WhileUnassignedTheSelectionIsNotEvenRemembered) {
  form->edt.SetFocus();
  form->edt.SetSel(0, 0);
  const auto handler = form->edt.OnSelectionChange;
  form->edt.OnSelectionChange = nullptr;
  input::Press(VK_RIGHT, ssShift);
  input::Press(VK_RIGHT, ssShift);
  form->edt.OnSelectionChange = handler;
  form->log.clear();
  // The memory still says nothing is selected: the same selection is news.
  input::Press(VK_SHIFT);
  EXPECT_EQ(form->Selections(), Log{"edt sel 0,2"});
  input::Press(VK_SHIFT);
  EXPECT_EQ(form->Selections(), Log{"edt sel 0,2"});
}

TEST_F(InputSelectionTest, MemoSelectsByKeysAndByDraggingTheMouse) {
  form->mem.SetFocus();
  form->mem.SetSel(0, 0);
  input::Settle();
  form->log.clear();
  input::Press(VK_DOWN);
  input::Press(VK_UP);
  EXPECT_EQ(form->Selections(), Log{});
  input::Press(VK_DOWN, ssShift);
  EXPECT_EQ(form->Selections(), Log{"mem sel 0,12"});

  // Press at one point, release at another: one change, on the release.
  form->log.clear();
  input::MousePress(input::ScreenPoint(form->mem.Handle(), 5, 5));
  input::Settle();
  EXPECT_EQ(form->Selections(), Log{});  // pressing removed it, but nothing is released yet
  input::MouseRelease(input::ScreenPoint(form->mem.Handle(), 60, 5));
  input::Settle();
  ASSERT_EQ(form->Selections().size(), 1u);
  EXPECT_GT(form->mem.SelLength(), 0);
  EXPECT_EQ(form->log.back(), "mem mouseup 0");
}

TEST_F(InputSelectionTest, ComboBoxChecksInItsEditPartAndWhenTheFocusComesAndGoes) {
  const std::string kTab = std::to_string(VK_TAB);
  form->btn.SetFocus();
  input::Settle();
  // A selection made while the focus was elsewhere is seen as the focus comes.
  SendMessageW(form->cmb.EditHandle(), EM_SETSEL, 2, 5);
  form->log.clear();
  input::Press(VK_TAB, ssShift);
  ASSERT_EQ(GetFocus(), form->cmb.EditHandle());
  // Right after, the combo box selects its whole text: the Tab's release sees that.
  EXPECT_EQ(form->log, (Log{"cmb sel 2,3", "cmb enter", "cmb sel 0,10", "cmb keyup " + kTab,
                            "cmb keyup " + kShift}));

  form->log.clear();
  input::Press(VK_END);
  input::Press(VK_LEFT);
  input::Press(VK_LEFT, ssShift);
  EXPECT_EQ(form->Selections(), (Log{"cmb sel 10,0", "cmb sel 8,1"}));
  EXPECT_EQ(form->log.back(), "cmb keyup " + kShift);

  form->log.clear();
  input::Click(form->cmb.Handle(), 20, 10);  // into the edit part
  ASSERT_EQ(form->Selections().size(), 1u);
  EXPECT_EQ(form->cmb.SelLength(), 0);
  EXPECT_EQ(form->log.back(), "cmb mouseup 0");
  input::Click(form->cmb.Handle(), 40, 10);
  EXPECT_EQ(form->Selections().size(), 1u);

  // And a selection made without a key or click is seen as the focus goes.
  SendMessageW(form->cmb.EditHandle(), EM_SETSEL, 0, 4);
  form->log.clear();
  input::Press(VK_TAB);
  EXPECT_EQ(GetFocus(), form->btn.Handle());
  EXPECT_EQ(form->log, (Log{"cmb sel 0,4", "cmb exit"}));
}

}  // namespace
