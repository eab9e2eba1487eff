// Modal dialogs: Enter and Esc through the real loop, the owner disabled
// while it runs, placement, and a test's runner answering in its place.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

class TAskDialog : public TDialog {
 public:
  explicit TAskDialog(const TControl* owner) : TDialog(owner, L"问题", 240, 150) {
    SetFont(ui::SongFont());
    edtAnswer.SetBounds(10, 10, 220, 21);
    memNote.SetBounds(10, 40, 220, 50);
    btnOK.SetBounds(70, 110, 75, 25);
    btnCancel.SetBounds(155, 110, 75, 25);
    btnOK.SetDefault(true);
    btnOK.ModalResult = mrOK;
    btnCancel.SetCancel(true);
    btnCancel.ModalResult = mrCancel;
    OnShow = [this] { edtAnswer.SetFocus(); };
  }
  TEdit edtAnswer{*this};
  TMemo memNote{*this};
  TButton btnOK{*this, L"确定(&O)"};
  TButton btnCancel{*this, L"取消"};
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : owner(std::make_unique<TTestWindow>(500, 400)) {
    owner->SetBounds(100, 80, 501, 401);
    input::Activate(owner->Handle());
    dialog = std::make_unique<TAskDialog>(owner.get());
  }
  std::unique_ptr<TTestWindow> owner;
  std::unique_ptr<TAskDialog> dialog;
};

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndTheOwnerIsDisabledMeanwhile) {
  ASSERT_EQ(dialog->ClientWidth(), 240);
  ASSERT_EQ(dialog->ClientHeight(), 150);
  dialog->CenterOn(*owner);
  EXPECT_EQ(dialog->Left(), 100 + (501 - dialog->Width()) / 2);
  EXPECT_EQ(dialog->Top(), 80 + (401 - dialog->Height()) / 2);

  bool ownerEnabled = true;
  const TModalResult result = ui::RunModalLoop(*dialog, [&] {
    ownerEnabled = IsWindowEnabled(owner->Handle()) != 0;
    input::Type("hi");
    input::Press(VK_RETURN);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_EQ(dialog->edtAnswer.Text(), L"hi");
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->Modal());
}

TEST_F(DialogTest, MemoKeepsEnterEscOrClosingTheWindowCancelsAndATestRunnerAnswersInItsPlace) {
  const TModalResult result = ui::RunModalLoop(*dialog, [&] {
    input::Press(VK_TAB);
    input::Type("a");
    input::Press(VK_RETURN);
    input::Type("b");
    EXPECT_TRUE(dialog->Visible()) << "Enter in the memo does not end the dialog";
    input::Press(VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(dialog->memNote.Text(), L"a\r\nb");

  EXPECT_EQ(ui::RunModalLoop(*dialog, [&] { PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0); }),
            mrCancel);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));

  int runs = 0;
  const ui::TScopedModalRunner runner([&](TDialog& shown) {
    ++runs;
    auto& ask = dynamic_cast<TAskDialog&>(shown);
    ask.edtAnswer.SetText(L"答案");
    ask.btnOK.Click();
    return shown.ModalResult();
  });
  EXPECT_EQ(dialog->ShowModal(), mrOK);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(dialog->edtAnswer.Text(), L"答案");
}

}  // namespace
