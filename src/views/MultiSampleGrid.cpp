#include "views/MultiSampleGrid.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "ui/Handles.h"
#include "ui/Dpi.h"

namespace {

constexpr int kLineWidth = 16;  // pixels a horizontal line step scrolls

}  // namespace

TMultiSampleGrid::TMultiSampleGrid(TControl& parent)
    : TCustomControl(parent, WS_VSCROLL | WS_HSCROLL | WS_TABSTOP), color_(GetSysColor(COLOR_WINDOW)) {
  DoubleBuffered = true;
  UpdateScrollBars();
}

void TMultiSampleGrid::SetRows(std::vector<int> heights) {
  rows_.Assign(std::move(heights));
  UpdateScrollBars();
  MoveTo(top_, left_);
  Invalidate();
}

void TMultiSampleGrid::SetColWidth(int width) {
  width = std::max(0, width);
  if (width == colWidth_) return;
  colWidth_ = width;
  UpdateScrollBars();
  MoveTo(top_, left_);
  Invalidate();
}

void TMultiSampleGrid::SetTopRow(int row) { MoveTo(row, left_); }

void TMultiSampleGrid::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

int TMultiSampleGrid::MaxLeft() const { return std::max(0, colWidth_ - ClientWidth()); }

int TMultiSampleGrid::MouseRow(int x, int y) const {
  if (x < 0 || x >= colWidth_ - left_) return -1;
  return rows_.RowAt(top_, y);
}

void TMultiSampleGrid::MoveTo(int top, int left) {
  top = std::clamp(top, 0, rows_.MaxTopRow(ClientHeight()));
  left = std::clamp(left, 0, MaxLeft());
  if (top == top_ && left == left_) return;
  const int oldTop = top_;
  const int oldLeft = left_;
  top_ = top;
  left_ = left;
  if (top_ != oldTop) SetScrollPos(Handle(), SB_VERT, top_, TRUE);
  if (left_ != oldLeft) SetScrollPos(Handle(), SB_HORZ, left_, TRUE);
  // What stays in view moves with the screen's pixels, so a step down draws
  // the one row that came into view, not all of them: each row drawn makes
  // a font of its own.
  const int count = rows_.Count();
  const int64_t dy = oldTop <= count ? rows_.Span(top_, oldTop) : INT64_MAX;
  const int dx = oldLeft - left_;
  if (Handle() && std::abs(dy) < ClientHeight() && std::abs(dx) < ClientWidth()) {
    ScrollWindowEx(Handle(), dx, static_cast<int>(dy), nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  } else {
    Invalidate();
  }
  if (OnTopLeftChanged) OnTopLeftChanged();
}

void TMultiSampleGrid::Scroll(bool vertical, int code) {
  SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
  GetScrollInfo(Handle(), vertical ? SB_VERT : SB_HORZ, &info);
  if (vertical) {
    const int page = std::max(1, VisibleRowCount());
    const int max = rows_.MaxTopRow(ClientHeight());
    int top = top_;
    switch (code) {
      case SB_LINEUP: top -= 1; break;
      case SB_LINEDOWN: top += 1; break;
      case SB_PAGEUP: top -= page; break;
      case SB_PAGEDOWN: top += page; break;
      case SB_TOP: top = 0; break;
      case SB_BOTTOM: top = max; break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: top = info.nTrackPos; break;
      default: return;
    }
    MoveTo(top, left_);
  } else {
    const int page = std::max(1, ClientWidth());
    int left = left_;
    switch (code) {
      case SB_LINELEFT: left -= ui::TScale(*this)(kLineWidth); break;
      case SB_LINERIGHT: left += ui::TScale(*this)(kLineWidth); break;
      case SB_PAGELEFT: left -= page; break;
      case SB_PAGERIGHT: left += page; break;
      case SB_LEFT: left = 0; break;
      case SB_RIGHT: left = MaxLeft(); break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: left = info.nTrackPos; break;
      default: return;
    }
    MoveTo(top_, left);
  }
}

void TMultiSampleGrid::UpdateScrollBars() {
  if (!Handle() || updatingBars_) return;
  updatingBars_ = true;
  // Showing one bar narrows the room for the other: go round until it settles.
  for (int round = 0; round < 3; ++round) {
    const int width = ClientWidth();
    const int height = ClientHeight();
    const int count = rows_.Count();
    const int maxTop = rows_.MaxTopRow(height);
    SCROLLINFO v{sizeof(v), SIF_RANGE | SIF_PAGE | SIF_POS};
    v.nMax = std::max(0, count - 1);
    v.nPage = static_cast<UINT>(std::max(1, count - maxTop));
    v.nPos = std::min(top_, maxTop);
    SetScrollInfo(Handle(), SB_VERT, &v, TRUE);
    SCROLLINFO h{sizeof(h), SIF_RANGE | SIF_PAGE | SIF_POS};
    h.nMax = std::max(0, colWidth_ - 1);
    h.nPage = static_cast<UINT>(std::max(1, width));
    h.nPos = std::min(left_, std::max(0, colWidth_ - width));
    SetScrollInfo(Handle(), SB_HORZ, &h, TRUE);
    if (ClientWidth() == width && ClientHeight() == height) break;
  }
  updatingBars_ = false;
}

void TMultiSampleGrid::Paint(HDC dc, const RECT& update) {
  const TBrushHandle background(CreateSolidBrush(color_));
  FillRect(dc, &update, background.Get());
  const int height = ClientHeight();
  int y = 0;
  for (int row = top_; row < rows_.Count() && y < height; ++row) {
    const RECT cell{-left_, y, colWidth_ - left_, y + rows_.Height(row)};
    y = cell.bottom;
    if (cell.bottom <= update.top || cell.top >= update.bottom) continue;
    if (OnDrawCell) OnDrawCell(dc, row, cell);
  }
}

LRESULT TMultiSampleGrid::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam == 0) {
        Scroll(msg == WM_VSCROLL, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const int lines = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
      MoveTo(top_ - lines, left_);
      return 0;
    }
    case WM_SIZE:
      if (!updatingBars_) {
        UpdateScrollBars();
        MoveTo(top_, left_);
        Invalidate(false);
      }
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != Handle()) ::SetFocus(Handle());
      if (OnMouseDown) OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick();
      return 0;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}
