// Dragging a tool bar by its grip or its floating window's caption: a loop
// that holds the mouse, shows where the bar would go as an outline, and
// docks, moves or floats the bar where the button is let go.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ui/Application.h"
#include "widgets/FloatingBar.h"
#include "widgets/ToolbarMetrics.h"
#include "widgets/Toolbar97.h"

using namespace toolbar97;

struct TToolbar97::TDropSpot {
  TDock97* dock = nullptr;  // null: the bar floats
  int row = 0;              // -1: a new row before the first
  int pos = 0;
  TRect screen;             // the outline
};

namespace {

// An XOR outline on the screen; drawing it again takes it away.
class TOutline {
 public:
  TOutline() = default;
  ~TOutline() { Hide(); }
  TOutline(const TOutline&) = delete;
  TOutline& operator=(const TOutline&) = delete;

  void Show(const TRect& r) {
    if (shown_ && r == rect_) return;
    Hide();
    rect_ = r;
    Draw();
    shown_ = true;
  }
  void Hide() {
    if (!shown_) return;
    Draw();
    shown_ = false;
  }

 private:
  void Draw() const {
    const TWindowDC dc(nullptr);
    RECT r{rect_.left, rect_.top, rect_.right, rect_.bottom};
    for (int i = 0; i < 2; ++i) {
      DrawFocusRect(dc.Get(), &r);
      InflateRect(&r, -1, -1);
    }
  }

  TRect rect_;
  bool shown_ = false;
};

bool Contains(const TRect& r, POINT pt) {
  return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// The docks among a control's children, at any depth.
void CollectDocks(const TControl& control, std::vector<TDock97*>& docks) {
  for (TControl* child : control.Controls()) {
    if (auto* dock = dynamic_cast<TDock97*>(child)) docks.push_back(dock);
    CollectDocks(*child, docks);
  }
}

bool IsInput(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

TToolbar97::TDropSpot TToolbar97::SpotAt(POINT screen, POINT grab, bool grabInGrip) const {
  std::vector<TDock97*> docks;
  if (dock_) docks.push_back(dock_.Get());
  if (Parent()) CollectDocks(*Parent(), docks);
  for (TDock97* dock : docks) {
    if (!dock->Handle() || !IsWindowVisible(dock->Handle()) || !Contains(dock->DropZone(), screen)) {
      continue;
    }
    RECT area{};
    GetWindowRect(dock->Handle(), &area);
    const bool horizontal = dock->Horizontal();
    const SIZE size = NaturalSize(!horizontal, true);
    // Along the dock the bar keeps the place it was taken by, if it runs the same way.
    const bool sameWay = grabInGrip && dock_ && dock_->Horizontal() == horizontal;
    const int grabAlong = sameWay ? (horizontal ? grab.x : grab.y) : Metrics(*this).border + Metrics(*this).grip / 2;
    TDropSpot spot;
    spot.dock = dock;
    spot.pos = std::max(0, static_cast<int>(horizontal ? screen.x - area.left : screen.y - area.top) - grabAlong);
    const int across = horizontal ? screen.y - area.top : screen.x - area.left;
    const std::vector<TDock97::TRowExtent> rows = dock->Rows();
    int start = 0;
    if (rows.empty()) {
      spot.row = 0;
    } else if (across < 0) {
      spot.row = -1;
      start = -(horizontal ? size.cy : size.cx);
    } else {
      spot.row = rows.back().row + 1;
      start = rows.back().end;
      for (const TDock97::TRowExtent& row : rows) {
        if (across >= row.start && across < row.end) {
          spot.row = row.row;
          start = row.start;
          break;
        }
      }
    }
    spot.screen = horizontal ? BoundsToRect(area.left + spot.pos, area.top + start, size.cx, size.cy)
                             : BoundsToRect(area.left + start, area.top + spot.pos, size.cx, size.cy);
    return spot;
  }
  // Away from every dock: the floating window, the pointer in its caption.
  TDropSpot spot;
  const TRect now = Bounds();
  const SIZE size = dock_ ? FloatingSize() : SIZE{now.Width(), now.Height()};
  const POINT offset = dock_ ? POINT{Metrics(*this).border + Metrics(*this).grip, GetSystemMetrics(SM_CYSMCAPTION) / 2} : grab;
  spot.screen = BoundsToRect(screen.x - offset.x, screen.y - offset.y, size.cx, size.cy);
  return spot;
}

void TToolbar97::DragFrom(POINT start) {
  if (!Handle()) return;
  const TRect from = dock_ ? TRect{} : Bounds();
  RECT window{};
  GetWindowRect(Handle(), &window);
  const POINT grab = dock_ ? POINT{start.x - window.left, start.y - window.top}
                           : POINT{start.x - from.left, start.y - from.top};
  const bool grabInGrip = dock_ != nullptr;
  const TWeakRef<TToolbar97> self(this);
  const HWND capture = Handle();
  SetCapture(capture);
  const int slackX = GetSystemMetrics(SM_CXDRAG);
  const int slackY = GetSystemMetrics(SM_CYDRAG);
  TOutline outline;
  TDropSpot spot;
  bool moved = false;
  bool dropped = false;
  MSG msg{};
  while (self && GetCapture() == capture) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop must still see it
      break;
    }
    if (got == -1) break;
    if (msg.message == WM_MOUSEMOVE) {
      if (!moved && std::abs(msg.pt.x - start.x) <= slackX && std::abs(msg.pt.y - start.y) <= slackY) {
        continue;
      }
      moved = true;
      spot = SpotAt(msg.pt, grab, grabInGrip);
      outline.Show(spot.screen);
    } else if (msg.message == WM_LBUTTONUP) {
      if (moved) spot = SpotAt(msg.pt, grab, grabInGrip);
      dropped = moved;
      break;
    } else if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
      break;
    } else if (!IsInput(msg.message)) {
      ui::HandleMessage(msg);
    }
  }
  outline.Hide();
  if (GetCapture() == capture) ReleaseCapture();
  if (self && dropped) Drop(spot);
}

void TToolbar97::Drop(const TDropSpot& spot) {
  TDock97* old = dock_.Get();
  if (TDock97* dock = spot.dock) {
    int row = spot.row;
    if (row < 0) {
      for (TToolbar97* bar : dock->bars_) ++bar->row_;
      row = 0;
    }
    row_ = row;
    pos_ = spot.pos;
    DockTo(*dock);
    // Dropped where another bar starts, it goes first and pushes that one on.
    auto& bars = dock->bars_;
    bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
    bars.insert(bars.begin(), this);
    for (TDock97* changed : {old, dock}) {
      if (!changed) continue;
      changed->CompactRows();
      changed->ArrangeBars();
    }
  } else {
    floatingBounds_ = spot.screen;
    if (old) {
      Float();
      old->CompactRows();
      old->ArrangeBars();
    } else if (floating_) {
      floating_->Place(spot.screen);
    }
  }
  Changed();
}
