#include <algorithm>
#include <map>

#include "widgets/Toolbar97.h"
#include "ui/Dpi.h"

namespace {

// How far into the frame a dock reaches for a bar dragged near it.
constexpr int kDropReach = 20;

TAlign AlignOf(TDockPosition position) {
  switch (position) {
    case dpTop:
      return alTop;
    case dpBottom:
      return alBottom;
    case dpLeft:
      return alLeft;
    case dpRight:
      return alRight;
  }
  return alTop;
}

}  // namespace

TDock97::TDock97(TControl& parent, TDockPosition position)
    : TCustomControl(parent), position_(position) {
  if (Horizontal()) {
    SetHeight(0);
  } else {
    SetWidth(0);
  }
  SetAlign(AlignOf(position));
}

TDockPosition TDock97::Position() const { return position_; }

std::vector<TToolbar97*> TDock97::Bars() const {
  std::vector<TToolbar97*> bars = bars_;
  std::stable_sort(bars.begin(), bars.end(), [](const TToolbar97* a, const TToolbar97* b) {
    return a->row_ != b->row_ ? a->row_ < b->row_ : a->pos_ < b->pos_;
  });
  return bars;
}

std::vector<TToolbar97*> TDock97::Placed() const {
  std::vector<TToolbar97*> placed;
  for (TToolbar97* bar : Bars()) {
    if (bar->visible_ && bar->Handle()) placed.push_back(bar);
  }
  return placed;
}

TScopeCount::TScope TDock97::SuspendArrange() {
  // The scope's counter is our own: its deleter runs when the scope goes,
  // which is when the held-off arrangement is due. It touches the dock only
  // while the dock stands.
  ++suspended_;
  const TWeakRef<TDock97> self(this);
  std::shared_ptr<int> count(new int(0), [self](int* counter) {
    delete counter;
    if (TDock97* dock = self.Get()) {
      if (--dock->suspended_ == 0) ui::RunReporting([dock] { dock->ArrangeBars(); });
    }
  });
  return TScopeCount::TScope(std::move(count));
}

void TDock97::Insert(TToolbar97& bar) {
  if (std::find(bars_.begin(), bars_.end(), &bar) == bars_.end()) bars_.push_back(&bar);
  ArrangeBars();
}

void TDock97::Remove(TToolbar97& bar) {
  const auto it = std::find(bars_.begin(), bars_.end(), &bar);
  if (it == bars_.end()) return;
  bars_.erase(it);
  ArrangeBars();
}

std::vector<TDock97::TRowExtent> TDock97::Rows() const {
  std::vector<TRowExtent> rows;
  int start = 0;
  for (TToolbar97* bar : Placed()) {
    const SIZE size = bar->NaturalSize(!Horizontal(), true);
    const int thickness = Horizontal() ? size.cy : size.cx;
    if (rows.empty() || rows.back().row != bar->row_) {
      if (!rows.empty()) start = rows.back().end;
      rows.push_back({bar->row_, start, start});
    }
    rows.back().end = std::max(rows.back().end, rows.back().start + thickness);
  }
  return rows;
}

void TDock97::ArrangeBars() {
  if (suspended_ > 0 || !Handle()) return;
  const std::vector<TRowExtent> rows = Rows();
  std::map<int, int> rowStart;
  for (const TRowExtent& row : rows) rowStart[row.row] = row.start;
  int lastRow = -1;
  int along = 0;
  for (TToolbar97* bar : Placed()) {
    if (bar->row_ != lastRow) {
      lastRow = bar->row_;
      along = 0;
    }
    // Bars of a row never overlap: one set before its neighbour's end moves on.
    bar->pos_ = std::max(bar->pos_, along);
    bar->LayoutItems();
    const SIZE size = bar->NaturalSize(!Horizontal(), true);
    const int across = rowStart[bar->row_];
    if (Horizontal()) {
      bar->SetBounds(bar->pos_, across, size.cx, size.cy);
    } else {
      bar->SetBounds(across, bar->pos_, size.cx, size.cy);
    }
    along = bar->pos_ + (Horizontal() ? size.cx : size.cy);
  }
  const int thickness = rows.empty() ? 0 : rows.back().end;
  if (Horizontal()) {
    SetHeight(thickness);
  } else {
    SetWidth(thickness);
  }
}

void TDock97::CompactRows() {
  std::map<int, int> renumbered;
  for (TToolbar97* bar : Bars()) renumbered.emplace(bar->row_, static_cast<int>(renumbered.size()));
  for (TToolbar97* bar : bars_) bar->row_ = renumbered[bar->row_];
}

TRect TDock97::DropZone() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  const int reach = ui::TScale(*this)(kDropReach);
  switch (position_) {
    case dpTop:
      r.bottom += reach;
      break;
    case dpBottom:
      r.top -= reach;
      break;
    case dpLeft:
      r.right += reach;
      break;
    case dpRight:
      r.left -= reach;
      break;
  }
  return {r.left, r.top, r.right, r.bottom};
}
