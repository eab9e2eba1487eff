// Small value types shared by the controls.
#pragma once

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TBevelCut { bvNone, bvLowered, bvRaised };

// Modifier keys held with a key or a mouse click.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

struct TPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const TRect&) const = default;
};

inline TRect BoundsToRect(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

namespace ui {
// The state of the modifier keys now.
TShiftState CurrentShiftState();
}  // namespace ui
