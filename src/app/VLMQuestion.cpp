#include "app/VLMQuestion.h"

#include <memory>

#include "app/HelpContexts.h"
#include "app/VLMHelp.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"

TfrmVLMQuestion::TfrmVLMQuestion(const TControl* owner) : TDialog(owner, L"", 240, 106) {
  SetFont(ui::SongFont());
  lblQuestion.SetBounds(10, 10, 220, 14);
  lblQuestion.SetFocusControl(&edtAnswer);
  edtAnswer.SetBounds(10, 28, 220, 21);
  btnOK.SetBounds(74, 70, 75, 25);
  btnOK.SetDefault(true);
  btnOK.ModalResult = mrOK;
  btnCancel.SetBounds(155, 70, 75, 25);
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
