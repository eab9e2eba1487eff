// Where a window goes back to when it is neither minimised nor maximised, and
// the parts of the screen a window may be put on.
#pragma once

#include "ui/Control.h"

namespace ui {

// The window's normal (restored) bounds, in the coordinates BoundsRect uses:
// the screen for a top-level window, the parent's client area for a child.
// Its current bounds when the system does not say.
TRect NormalBounds(const TControl& window);
// Moves the normal bounds without changing the window's state: a maximised
// or minimised window goes there when it is restored; a hidden one stays hidden.
void SetNormalBounds(TControl& window, const TRect& bounds);

// The work area (the screen without the task bar) of the monitor nearest to
// the given bounds, in screen coordinates. Any numbers are taken.
TRect WorkAreaNear(int left, int top, int width, int height);
// The client area of the window's parent, in its own client coordinates.
TRect ParentClientArea(const TControl& window);

// Bounds of the given place and size moved, and cut where they are larger,
// to lie inside `area`; never smaller than the minimum. Any numbers are taken.
TRect FitBounds(int left, int top, int width, int height, const TRect& area, int minWidth,
                int minHeight);

}  // namespace ui
