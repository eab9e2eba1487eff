// Display scale. The program's pixel sizes are sizes at 96 dpi; a window
// turns them into its own pixels with a TScale:
//
//   const ui::TScale px(*this);
//   btnOK.SetBounds(px(92), px(84), px(75), px(25));
#pragma once

#include "ui/Win.h"

class TControl;

namespace ui {

inline constexpr int kBaseDpi = 96;

// `pixels` at 96 dpi as pixels at `dpi`, rounded as MulDiv rounds (halves
// away from zero).
int ScaleToDpi(int pixels, int dpi);
// Pixels at `from` dpi as pixels at `to` dpi, rounded the same way.
int RescaleDpi(int pixels, int from, int to);
// The character height of a font of `points` points at `dpi`.
int PointsToPixels(int points, int dpi);

// The screen's dpi (LOGPIXELSY of the screen): the scale windows start at.
int SystemDpi();
// A window's own dpi where the system keeps one per window (Windows 10
// 1607 on), else the screen's.
int WindowDpi(HWND window);
// The dpi a control lays itself out at: its form's.
int DpiOf(const TControl& control);

class TScale {
 public:
  explicit TScale(int dpi) : dpi_(dpi) {}
  explicit TScale(const TControl& control);
  int operator()(int pixels) const { return ScaleToDpi(pixels, dpi_); }
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
};

}  // namespace ui
