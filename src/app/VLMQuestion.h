// The question dialog: asks for one line of text (the name of a new
// collection). It changes nothing itself; the caller acts on the answer.
#pragma once

#include <string>
#include <string_view>

#include "ui/Controls.h"

class TfrmVLMQuestion : public TDialog {
 public:
  explicit TfrmVLMQuestion(const TControl* owner);

  TLabel lblQuestion{*this, L""};
  TEdit edtAnswer{*this};
  TButton btnOK{*this, L"确定(&O)"};
  TButton btnCancel{*this, L"取消"};
};

// Shows the dialog centred over `anchor` (on the screen without one). True
// when the user pressed OK; `answer` then holds the text trimmed of blanks at
// both ends, and is left as it was on Cancel.
bool AskQuestion(std::wstring_view caption, std::wstring_view question, const TControl* anchor,
                 std::string& answer);
