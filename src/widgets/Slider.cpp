#include "widgets/Slider.h"

TVxSlider::TVxSlider(TControl& parent) : TTrackBar(parent) {
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, (style & ~TBS_AUTOTICKS) | TBS_NOTICKS);
  Perform(TBM_CLEARTICS, TRUE);
  SetTabStop(false);
  SetRange(0, 511);
}
