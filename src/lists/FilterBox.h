// The box above a font list where the user types part of a font name. Esc
// empties it (and, when it is empty already, hands the focus on, as Enter
// and the down arrow do).
#pragma once

#include <functional>

#include "ui/StdControls.h"

class TFilterBox : public TEdit {
 public:
  explicit TFilterBox(TControl& parent);

  // Enter, the down arrow, or Esc in an empty box: the user is done typing.
  std::function<void()> OnLeave;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void KeyDown(WORD& key, TShiftState shift);
};
