// A bar between aligned controls: dragging it resizes the control it sits
// against (the one before it in its alignment).
#pragma once

#include <functional>

#include "ui/Panel.h"

class TSplitter : public TCustomControl {
 public:
  // `align` alTop/alBottom make a horizontal bar, alLeft/alRight a vertical
  // one, `thickness` pixels wide at 96 dpi.
  TSplitter(TControl& parent, TAlign align, int thickness);

  int MinSize = 30;
  // The control it resizes, null when none is adjacent.
  TControl* Neighbour() const;
  // Moves the bar by `delta` pixels (down or right), as a drag would.
  void MoveBy(int delta);
  std::function<void()> OnMoved;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Vertical() const { return Align() == alLeft || Align() == alRight; }
  int dragStart_ = 0;
  bool dragging_ = false;
};
