// The question and rename dialogs, answered through their real modal loop
// with keys typed as a user types them.
#include <gtest/gtest.h>

#include <memory>

#include "app/VLMQuestion.h"
#include "app/VLMRenameFile.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() : owner(std::make_unique<TTestWindow>(500, 400)) {
    owner->SetBounds(60, 50, 501, 401);
    input::Activate(owner->Handle());
  }
  std::unique_ptr<TTestWindow> owner;
};

TEST_F(DialogsTest, AskQuestionReturnsTheTrimmedAnswerOnOkAndLeavesItOnCancel) {
  int left = 0, top = 0, width = 0, clientWidth = 0;
  std::wstring caption, question;
  bool focusedAnswer = false;
  const ui::TScopedModalRunner runner([&](TDialog& shown) {
    auto& dialog = dynamic_cast<TfrmVLMQuestion&>(shown);
    left = dialog.Left();
    top = dialog.Top();
    width = dialog.Width();
    clientWidth = dialog.ClientWidth();
    caption = dialog.Text();
    question = dialog.lblQuestion.Text();
    return ui::RunModalLoop(dialog, [&] {
      focusedAnswer = dialog.edtAnswer.Focused();
      input::Press(VK_END);
      input::Press(VK_SPACE);
      input::Type("b");
      input::Press(VK_SPACE);
      input::Press(VK_RETURN);
    });
  });
  std::string answer = " a";
  ASSERT_TRUE(AskQuestion(L"创建新藏品", L"新藏品名称(&N):", owner.get(), answer));
  EXPECT_EQ(answer, "a b");
  EXPECT_TRUE(focusedAnswer);
  EXPECT_EQ(caption, L"创建新藏品");
  EXPECT_EQ(question, L"新藏品名称(&N):");
  EXPECT_EQ(clientWidth, 240);
  EXPECT_EQ(left, 60 + (501 - width) / 2);
  EXPECT_GT(top, 50);

  const ui::TScopedModalRunner blanks([](TDialog& shown) {
    return ui::RunModalLoop(shown, [] {
      input::Press(VK_SPACE);
      input::Press(VK_SPACE);
      input::Press('O', ssAlt);
    });
  });
  answer.clear();
  EXPECT_TRUE(AskQuestion(L"Q", L"?", nullptr, answer));
  EXPECT_EQ(answer, "") << "blanks only: OK with an empty answer";

  const ui::TScopedModalRunner cancel([](TDialog& shown) {
    return ui::RunModalLoop(shown, [] {
      input::Type("x");
      input::Press(VK_ESCAPE);
    });
  });
  answer = "kept";
  EXPECT_FALSE(AskQuestion(L"Q", L"?", nullptr, answer));
  EXPECT_EQ(answer, "kept");
}

TEST_F(DialogsTest, RenameOffersTheFontNameAndOkWaitsForANonBlankName) {
  const auto dialog = std::make_unique<TfrmVLMRenameFile>(owner.get());
  EXPECT_EQ(dialog->ClientWidth(), 372);
  EXPECT_EQ(dialog->ClientHeight(), 191);
  dialog->SetFileName("C:\\Fonts\\OLD.TTF");
  EXPECT_EQ(dialog->edtFolder.Text(), L"C:\\Fonts\\");
  EXPECT_EQ(dialog->edtOrigName.Text(), L"OLD.TTF");
  EXPECT_TRUE(dialog->edtFolder.ReadOnly());
  EXPECT_FALSE(dialog->btnFontName.Enabled()) << "no font name yet";

  bool okWhileBlank = true, okWithName = false;
  const TModalResult result = ui::RunModalLoop(*dialog, [&] {
    input::Press(VK_SPACE);
    okWhileBlank = dialog->btnOK.Enabled();
    input::Press(VK_BACK);
    input::Type("new");
    okWithName = dialog->btnOK.Enabled();
    input::Press(VK_RETURN);
  });
  EXPECT_EQ(result, mrOK);
  EXPECT_FALSE(okWhileBlank);
  EXPECT_TRUE(okWithName);
  EXPECT_EQ(dialog->NewFileName(), "C:\\Fonts\\new.ttf");

  dialog->SetFontName("\xCB\xCE\xCC\xE5 Bold");
  ASSERT_TRUE(dialog->btnFontName.Enabled());
  EXPECT_EQ(ui::RunModalLoop(*dialog, [] {
              input::Press('F', ssAlt);
              input::Press(VK_RETURN);
            }),
            mrOK);
  EXPECT_EQ(dialog->NewFileName(), "C:\\Fonts\\\xCB\xCE\xCC\xE5 Bold.ttf");
  dialog->edtNewName.SetText(L"name.otf");
  EXPECT_EQ(dialog->NewFileName(), "C:\\Fonts\\name.otf") << "any extension is kept as typed";
}

}  // namespace
