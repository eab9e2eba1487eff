// A label whose text is drawn in one of the system's colours.
#pragma once

#include "ui/StdControls.h"

class TStatusLabel : public TLabel {
 public:
  // `sysColor` is a COLOR_* index; -1 keeps the label's usual text colour.
  TStatusLabel(TControl& parent, std::wstring_view caption, int sysColor = -1)
      : TLabel(parent, caption), sysColor_(sysColor) {}
  int SysColor() const { return sysColor_; }

 protected:
  bool OnReflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int sysColor_;
};
