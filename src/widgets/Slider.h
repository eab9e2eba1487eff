// TVxSlider: a plain horizontal slider, 0 .. 511 unless told otherwise: no
// tick marks (the thumb glides over a wide range), no tab stop (it goes
// with a control that takes the keys, such as a number box).
#pragma once

#include "ui/TrackBar.h"

class TVxSlider : public TTrackBar {
 public:
  explicit TVxSlider(TControl& parent);
};
