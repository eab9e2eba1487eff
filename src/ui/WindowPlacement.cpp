#include "ui/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

namespace ui {

namespace {

bool IsTopLevel(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0; }

// A top-level window's placement is in workspace coordinates, which start at
// the primary monitor's work area rather than at the screen's corner.
POINT WorkspaceOffset() {
  const POINT origin{0, 0};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info)) return origin;
  return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

int Clamp(int64_t value, int64_t low, int64_t high) {
  return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

}  // namespace

TRect NormalBounds(const TControl& window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!window.Handle() || !GetWindowPlacement(window.Handle(), &placement)) return window.BoundsRect();
  RECT r = placement.rcNormalPosition;
  if (IsTopLevel(window.Handle())) {
    const POINT offset = WorkspaceOffset();
    OffsetRect(&r, offset.x, offset.y);
  }
  return {r.left, r.top, r.right, r.bottom};
}

void SetNormalBounds(TControl& window, const TRect& bounds) {
  HWND handle = window.Handle();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!handle || !GetWindowPlacement(handle, &placement)) return;
  RECT r{bounds.left, bounds.top, bounds.right, bounds.bottom};
  if (IsTopLevel(handle)) {
    const POINT offset = WorkspaceOffset();
    OffsetRect(&r, -offset.x, -offset.y);
  }
  placement.rcNormalPosition = r;
  placement.flags = 0;
  // Keep the state as it is; never show or activate the window here.
  if (!IsWindowVisible(handle)) {
    placement.showCmd = SW_HIDE;
  } else if (IsIconic(handle)) {
    placement.showCmd = SW_SHOWMINNOACTIVE;
  } else if (IsZoomed(handle)) {
    placement.showCmd = SW_SHOWMAXIMIZED;
  } else {
    placement.showCmd = SW_SHOWNOACTIVATE;
  }
  SetWindowPlacement(handle, &placement);
}

TRect WorkAreaNear(int left, int top, int width, int height) {
  // Far beyond any desktop, and no sum can overflow.
  constexpr int64_t kFar = 1 << 24;
  const int x = Clamp(left, -kFar, kFar);
  const int y = Clamp(top, -kFar, kFar);
  const RECT r{x, y, x + Clamp(width, 1, kFar), y + Clamp(height, 1, kFar)};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
  }
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

TRect ParentClientArea(const TControl& window) {
  RECT r{};
  if (HWND parent = window.Handle() ? GetParent(window.Handle()) : nullptr) GetClientRect(parent, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TRect FitBounds(int left, int top, int width, int height, const TRect& area, int minWidth,
                int minHeight) {
  const int w = Clamp(width, minWidth, area.Width());
  const int h = Clamp(height, minHeight, area.Height());
  const int x = Clamp(left, area.left, int64_t{area.right} - w);
  const int y = Clamp(top, area.top, int64_t{area.bottom} - h);
  return BoundsToRect(x, y, w, h);
}

}  // namespace ui
