#include "app/VLMQuestion.h"

#include <memory>

#include "app/HelpContexts.h"
#include "app/VLMHelp.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"

TfrmVLMQuestion::TfrmVLMQuestion(const TControl* owner) : TDialog(owner, L"", 240, 106) {
  const ui::TScale px(*this);
  SetFont(ui::SongFont(px.Dpi()));
  lblQuestion.SetBounds(px(10), px(10), px(220), px(14));
  lblQuestion.SetFocusControl(&edtAnswer);
  edtAnswer.SetBounds(px(10), px(28), px(220), px(21));
  btnOK.SetBounds(px(74), px(70), px(75), px(25));
  btnOK.SetDefault(true);
  btnOK.ModalResult = mrOK;
  btnCancel.SetBounds(px(155), px(70), px(75), px(25));
  btnCancel.SetCancel(true);
  btnCancel.ModalResult = mrCancel;
  OnShow = [this] { edtAnswer.SetFocus(); };
  // Its one question is the name of a new collection.
  ShowHelpOnF1(*this, IDH_NEW_COLLECTION);
}

bool AskQuestion(std::wstring_view caption, std::wstring_view question, const TControl* anchor,
                 std::string& answer) {
  const auto dialog = std::make_unique<TfrmVLMQuestion>(anchor ? anchor : TForm::MainForm());
  dialog->SetText(caption);
  dialog->lblQuestion.SetText(question);
  dialog->lblQuestion.AutoSize();
  dialog->edtAnswer.SetText(sys::Widen(answer));
  if (anchor) {
    dialog->CenterOn(*anchor);
  } else {
    dialog->CenterOnScreen();
  }
  if (dialog->ShowModal() != mrOK) return false;
  answer = Trim(sys::Narrow(dialog->edtAnswer.Text()));
  return true;
}
