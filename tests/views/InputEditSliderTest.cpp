// The number box with its slider, driven by real keys: what the box takes and
// swallows, typed numbers applied on Enter and on leaving the box, and
// OnChange only when the position moves.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/TestWindow.h"
#include "tests/support/Input.h"
#include "views/EditSlider.h"

namespace {

class TSliderForm : public TTestWindow {
 public:
  TSliderForm() : TTestWindow(400, 200) {
    es.SetBounds(10, 10, 160, 21);
    es.SetMinValue(4);
    es.SetMaxValue(128);
    btn.SetBounds(10, 60, 75, 25);
    es.OnChange = [this] { ++changes; };
  }
  TEditSlider es{*this};
  TButton btn{*this, L"按钮"};
  int changes = 0;
};

class EditSliderTest : public ::testing::Test {
 protected:
  EditSliderTest() : form(std::make_unique<TSliderForm>()) {
    input::Activate(form->Handle());
    form->es.SetFocus();
    input::Settle();
  }
  std::wstring BoxText() { return form->es.Box().Text(); }
  // Replaces the box's text by typing.
  void TypeOver(const char* keys) {
    form->es.Box().SelectAll();
    input::Type(keys);
  }
  std::unique_ptr<TSliderForm> form;
};

TEST(EditSlider, PlacesItsChildrenAndKeepsItsMinimumWidth) {
  TTestWindow form;
  TEditSlider es(form);
  EXPECT_EQ(es.MinValue(), 0);
  EXPECT_EQ(es.MaxValue(), 511);
  EXPECT_EQ(es.Value(), 0);
  EXPECT_EQ(es.Box().Text(), L"0");
  es.SetBounds(5, 5, 200, 40);
  EXPECT_EQ(es.Height(), 40);  // a height given is kept; the children stay put
  EXPECT_EQ(es.Box().BoundsRect(), (TRect{0, 0, 31, 21}));
  EXPECT_EQ(es.Slider().BoundsRect(), (TRect{31, -4, 31 + 175, 21}));
  EXPECT_FALSE(es.Slider().TabStop());
  es.SetWidth(40);
  EXPECT_EQ(es.Width(), 64);
  EXPECT_EQ(es.Slider().Width(), 64 - 31 + 6);
  es.SetWidth(100);
  EXPECT_EQ(es.Slider().Width(), 75);

  // The focus given to the control goes to the box.
  input::Activate(form.Handle());
  es.SetFocus();
  EXPECT_EQ(GetFocus(), es.Box().Handle());
}

TEST_F(EditSliderTest, EnterOrLeavingTheBoxAppliesTheTypedNumberClampedAndOnlyAChangeRaisesOnChange) {
  EXPECT_EQ(form->es.Value(), 4);  // the minimum moved it from 0
  EXPECT_EQ(BoxText(), L"4");
  TypeOver("150");
  EXPECT_EQ(form->changes, 0);
  input::Press(VK_RETURN);
  EXPECT_EQ(form->es.Value(), 128);
  EXPECT_EQ(BoxText(), L"128");
  EXPECT_EQ(form->changes, 1);

  // Already at 128: nothing happens and the box keeps what was typed.
  TypeOver("150");
  input::Press(VK_RETURN);
  EXPECT_EQ(form->es.Value(), 128);
  EXPECT_EQ(BoxText(), L"150");
  EXPECT_EQ(form->changes, 1);

  // Nothing in the box is 0, raised to the minimum.
  form->es.Box().SelectAll();
  input::Press(VK_DELETE);
  input::Press(VK_RETURN);
  EXPECT_EQ(form->es.Value(), 4);
  EXPECT_EQ(BoxText(), L"4");
  EXPECT_EQ(form->changes, 2);

  // Enter reaches nothing else: the box keeps the focus.
  EXPECT_EQ(GetFocus(), form->es.Box().Handle());

  // Leaving the box applies the number; back and away again with it, no change.
  TypeOver("50");
  input::Press(VK_TAB);
  EXPECT_EQ(GetFocus(), form->btn.Handle());
  EXPECT_EQ(form->es.Value(), 50);
  EXPECT_EQ(BoxText(), L"50");
  EXPECT_EQ(form->changes, 3);
  input::Press(VK_TAB, ssShift);
  input::Press(VK_TAB);
  EXPECT_EQ(form->changes, 3);
}

TEST_F(EditSliderTest, TheBoxSwallowsLettersBlanksOperatorsAndShiftDigitsButPassesTheRest) {
  TypeOver("1a2");
  EXPECT_EQ(BoxText(), L"12");
  for (WORD key : {WORD(VK_SPACE), WORD('Z'), WORD(VK_MULTIPLY), WORD(VK_ADD), WORD(VK_SUBTRACT),
                   WORD(VK_DECIMAL), WORD(VK_DIVIDE)}) {
    input::Press(key);
    input::Press(key, ssShift);
  }
  input::Press('5', ssShift);
  EXPECT_EQ(BoxText(), L"12");
  input::Type("34");
  EXPECT_EQ(BoxText(), L"123");  // three characters at most

  // Editing and cursor keys pass.
  input::Press(VK_HOME);
  input::Press(VK_DELETE);
  EXPECT_EQ(BoxText(), L"23");
  input::Press(VK_END);
  input::Press(VK_BACK);
  EXPECT_EQ(BoxText(), L"2");
  input::Type("7");
  EXPECT_EQ(BoxText(), L"27");

  // The clipboard keys work.
  input::Press(VK_HOME, ssShift);
  input::Press('C', ssCtrl);
  input::Press(VK_DELETE);
  EXPECT_EQ(BoxText(), L"");
  input::Press('V', ssCtrl);
  EXPECT_EQ(BoxText(), L"27");
  EXPECT_EQ(form->changes, 0);
  input::Press(VK_RETURN);
  EXPECT_EQ(form->es.Value(), 27);
}

TEST_F(EditSliderTest, TheSliderAndValueMoveThePositionAndTheBoxFollows) {
  form->es.Slider().SetFocus();
  input::Press(VK_RIGHT);
  EXPECT_EQ(form->es.Value(), 5);
  EXPECT_EQ(BoxText(), L"5");
  input::Press(VK_END);
  EXPECT_EQ(form->es.Value(), 128);
  EXPECT_EQ(BoxText(), L"128");
  EXPECT_EQ(form->changes, 2);

  form->es.SetValue(128);
  EXPECT_EQ(form->changes, 2);
  form->es.SetValue(1000);
  EXPECT_EQ(form->changes, 2);
  form->es.SetValue(20);
  EXPECT_EQ(BoxText(), L"20");
  EXPECT_EQ(form->changes, 3);

  // A range that leaves the position outside moves it, as a change.
  form->es.SetMaxValue(10);
  EXPECT_EQ(form->es.Value(), 10);
  EXPECT_EQ(BoxText(), L"10");
  EXPECT_EQ(form->changes, 4);
  form->es.SetMinValue(30);  // above the maximum: the maximum follows
  EXPECT_EQ(form->es.MaxValue(), 30);
  EXPECT_EQ(form->es.Value(), 30);
  EXPECT_EQ(form->changes, 5);
}

TEST(NumberBox, ReadsDecimalNumbersAndNothingElse) {
  EXPECT_EQ(NumberBoxValue(L"150"), 150);
  EXPECT_EQ(NumberBoxValue(L" 07 "), 7);
  EXPECT_EQ(NumberBoxValue(L"-5"), -5);
  EXPECT_EQ(NumberBoxValue(L"+9"), 9);
  for (const wchar_t* text : {L"", L" ", L"-", L"1a", L"a1", L"1 2", L"１２", L"99999999999"}) {
    EXPECT_EQ(NumberBoxValue(text), 0) << static_cast<const void*>(text);
  }
}

}  // namespace
