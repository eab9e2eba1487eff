// The measures of a tool bar's frame, in pixels at the bar's dpi.
#pragma once

#include "ui/Control.h"
#include "ui/Dpi.h"

namespace toolbar97 {

struct TBarMetrics {
  int border;          // the raised edge and a pixel of space, on every side
  int grip;            // the grip's two lines and the space after them
  int separator;
  int emptyThickness;  // a bar without buttons still shows its grip
};

inline TBarMetrics Metrics(const TControl& bar) {
  const ui::TScale px(bar);
  return {px(2), px(9), px(6), px(22)};
}

}  // namespace toolbar97
