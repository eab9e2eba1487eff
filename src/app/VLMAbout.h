// The About box: the program's name and version.
#pragma once

#include "ui/Controls.h"

class TVLMAbout : public TDialog {
 public:
  explicit TVLMAbout(const TControl& owner);

  TLabel lblName{*this, L"Velmara"};
  TLabel lblVersion{*this, L"版本 0.80"};
  TLabel lblCopyright{*this, L"Copyright © Corvell"};
  TButton btnOK{*this, L"确定"};

 private:
  TFontHandle nameFont_;
};
