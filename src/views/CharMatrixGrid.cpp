#include "views/CharMatrixGrid.h"

#include <algorithm>
#include <cstdlib>

#include "sys/codepage.h"
#include "ui/Dpi.h"
#include "views/CharMatrixText.h"
#include "views/model/CodePointText.h"

namespace {

// Signed: points left of or above the window come with a capture.
int PointX(LPARAM point) { return static_cast<short>(LOWORD(point)); }
int PointY(LPARAM point) { return static_cast<short>(HIWORD(point)); }

RECT ToRect(const TGridRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Silver lines, grey on a silver ground so that they still show.
COLORREF LineColor(COLORREF background) {
  return background == RGB(192, 192, 192) ? RGB(128, 128, 128) : RGB(192, 192, 192);
}

}  // namespace

TCharMatrixGrid::TCharMatrixGrid(TControl& parent)
    : TCustomControl(parent, WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE),
      background_(GetSysColor(COLOR_WINDOW)),
      charColor_(GetSysColor(COLOR_WINDOWTEXT)),
      infoColor_(GetSysColor(COLOR_BTNSHADOW)) {
  DoubleBuffered = true;
}

void TCharMatrixGrid::Change(const std::function<void(TCharGrid&)>& change) {
  const int oldTop = model_.TopRow();
  const int oldSelected = model_.Selected();
  const int oldColumns = model_.Columns();
  const int oldWidth = model_.ColumnWidth(0);
  change(model_);
  if (model_.Columns() != oldColumns || model_.ColumnWidth(0) != oldWidth) {
    Invalidate(false);
  } else {
    if (model_.TopRow() != oldTop && Handle()) {
      const int dy = (oldTop - model_.TopRow()) * (model_.RowHeight() + TCharGrid::kLineWidth);
      if (std::abs(dy) < ClientHeight()) {
        ScrollWindowEx(Handle(), 0, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
      } else {
        Invalidate(false);
      }
    }
    if (model_.Selected() != oldSelected) {
      InvalidateCode(oldSelected);
      InvalidateCode(model_.Selected());
    }
  }
  UpdateScrollBar();
  if (model_.Selected() != oldSelected && OnSelectionChange) OnSelectionChange();
}

void TCharMatrixGrid::SetCodePoints(const std::vector<char32_t>* points) {
  points_ = points;
  Invalidate(false);
  Change([points](TCharGrid& grid) { grid.SetCellCount(points ? static_cast<int>(points->size()) : kCharCodes); });
}

void TCharMatrixGrid::SizeChanged() {
  // The scroll bar always shows, so the client area is the grid less it and
  // the 2-pixel edges, as the model reckons.
  const int narrowest = ui::TScale(*this)(TCharGrid::kMinColumnWidth);
  Change([this, narrowest](TCharGrid& grid) {
    grid.SetGridSize(Width(), Height(), GetSystemMetrics(SM_CXVSCROLL), narrowest);
  });
}

void TCharMatrixGrid::SetCharFont(HFONT font) {
  charFont_ = font;
  Invalidate(false);
}

void TCharMatrixGrid::SetColors(COLORREF background, COLORREF charColor, COLORREF infoColor) {
  if (background == background_ && charColor == charColor_ && infoColor == infoColor_) return;
  background_ = background;
  charColor_ = charColor;
  infoColor_ = infoColor;
  Invalidate(false);
}

void TCharMatrixGrid::SetLabels(bool values, bool chars) {
  if (values == values_ && chars == chars_) return;
  values_ = values;
  chars_ = chars;
  Invalidate(false);
}

void TCharMatrixGrid::InvalidateCode(int code) {
  if (code < 0 || !Handle()) return;
  const TGridRect cell = model_.CellRect(code % model_.Columns(), code / model_.Columns());
  // The cell with its lines.
  const RECT r{cell.left, cell.top, cell.right + TCharGrid::kLineWidth,
               cell.bottom + TCharGrid::kLineWidth};
  InvalidateRect(Handle(), &r, FALSE);
}

void TCharMatrixGrid::UpdateScrollBar() {
  if (!Handle()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = model_.RowCount() - 1;
  info.nPage = static_cast<UINT>(model_.FullyVisibleRows());
  info.nPos = model_.TopRow();
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TCharMatrixGrid::Paint(HDC dc, const RECT& update) {
  const TBrushHandle ground(CreateSolidBrush(background_));
  FillRect(dc, &update, ground.Get());
  const TBrushHandle lines(CreateSolidBrush(LineColor(background_)));
  const int pitch = model_.RowHeight() + TCharGrid::kLineWidth;
  const int first = model_.TopRow() + std::max(0, static_cast<int>(update.top)) / pitch;
  const int last = std::min(model_.RowCount() - 1, model_.TopRow() + static_cast<int>(update.bottom) / pitch);
  for (int row = first; row <= last; ++row) {
    for (int column = 0; column < model_.Columns(); ++column) {
      const TGridRect cell = model_.CellRect(column, row);
      if (cell.right + TCharGrid::kLineWidth <= update.left || cell.left >= update.right) continue;
      DrawCell(dc, column, row, lines.Get());
    }
  }
}

void TCharMatrixGrid::DrawCell(HDC dc, int column, int row, HBRUSH lineBrush) {
  RECT r = ToRect(model_.CellRect(column, row));
  const RECT right{r.right, r.top, r.right + TCharGrid::kLineWidth, r.bottom + TCharGrid::kLineWidth};
  const RECT below{r.left, r.bottom, r.right + TCharGrid::kLineWidth, r.bottom + TCharGrid::kLineWidth};
  FillRect(dc, &right, lineBrush);
  FillRect(dc, &below, lineBrush);
  const int code = model_.CodeAt(column, row);
  if (code < 0 || code >= model_.CellCount()) return;
  const bool selected = code == model_.Selected();
  if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);

  const std::wstring label = points_ ? std::wstring() : charmap::WideLabel(CharLabel(code, values_, chars_));
  if (points_ && values_) {
    SetTextColor(dc, selected ? highlightText : infoColor_);
    DrawCodePointLabels(dc, (*points_)[static_cast<size_t>(code)], r);
  } else if (!label.empty()) {
    const TSelectObject font(dc, Font());
    SetTextColor(dc, selected ? highlightText : infoColor_);
    RECT labelRect{r.left + 2, r.top + 2, r.right, r.bottom};
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &labelRect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (charFont_) {
    const TSelectObject font(dc, charFont_);
    const std::wstring text =
        points_ ? charmap::WideOf((*points_)[static_cast<size_t>(code)]) : charmap::CharOfCode(dc, code);
    SetTextColor(dc, selected ? highlightText : charColor_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (selected && GetFocus() == Handle()) DrawFocusRect(dc, &r);
}

// U+ and the code point top left; the ANSI code page's code, where it has
// one of its own, bottom left.
void TCharMatrixGrid::DrawCodePointLabels(HDC dc, char32_t c, const RECT& r) {
  const TSelectObject font(dc, Font());
  RECT labelRect{r.left + 2, r.top + 2, r.right, r.bottom - 1};
  const std::wstring point = charmap::WideLabel(CodePointLabel(c));
  DrawTextW(dc, point.c_str(), static_cast<int>(point.size()), &labelRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  const std::string ansi = sys::CodePointToAnsi(c);
  // A code of one byte is the code point's own below 0x80: no news there.
  if (ansi.empty() || (ansi.size() == 1 && c < 0x80)) return;
  const std::wstring code = charmap::WideLabel(HexBytes(ansi));
  DrawTextW(dc, code.c_str(), static_cast<int>(code.size()), &labelRect,
            DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
}

void TCharMatrixGrid::SelectAt(LPARAM point) {
  int column = 0;
  int row = 0;
  if (!model_.CellAt(PointX(point), PointY(point), column, row)) return;
  Change([&](TCharGrid& grid) { grid.SelectCell(column, row); });
}

void TCharMatrixGrid::ScrollBy(int request, int wheelRows) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), SB_VERT, &info);
  const int top = model_.TopRow();
  const int page = model_.FullyVisibleRows();
  int target = top + wheelRows;
  switch (request) {
    case SB_LINEUP: target = top - 1; break;
    case SB_LINEDOWN: target = top + 1; break;
    case SB_PAGEUP: target = top - page; break;
    case SB_PAGEDOWN: target = top + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = info.nTrackPos; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = model_.MaxTopRow(); break;
    default: break;
  }
  Change([target](TCharGrid& grid) { grid.SetTopRow(target); });
}

bool TCharMatrixGrid::KeyDown(WORD key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  TGridMove move{};
  switch (key) {
    case VK_LEFT: move = TGridMove::Left; break;
    case VK_RIGHT: move = TGridMove::Right; break;
    case VK_UP: move = TGridMove::Up; break;
    case VK_DOWN: move = TGridMove::Down; break;
    case VK_HOME: move = ctrl ? TGridMove::First : TGridMove::Home; break;
    case VK_END: move = ctrl ? TGridMove::Last : TGridMove::End; break;
    case VK_PRIOR: move = TGridMove::PageUp; break;
    case VK_NEXT: move = TGridMove::PageDown; break;
    default: return false;
  }
  Change([move](TCharGrid& grid) { grid.Move(move); });
  return true;
}

LRESULT TCharMatrixGrid::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus();
      SelectAt(lParam);
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && GetCapture() == Handle()) SelectAt(lParam);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    case WM_LBUTTONDBLCLK:
      SelectAt(lParam);
      if (OnDblClick) OnDblClick();
      return 0;
    case WM_RBUTTONDOWN: {
      // The cell under the pointer is selected and painted before anything
      // else runs: a button-up already queued would open the popup menu.
      int column = 0;
      int row = 0;
      if (model_.CellAt(PointX(lParam), PointY(lParam), column, row)) {
        const int code = model_.CodeAt(column, row);
        if (code != model_.Selected()) {
          Change([&](TCharGrid& grid) {
            if (!grid.SelectCell(column, row)) grid.ClearSelection();
          });
          UpdateWindow(Handle());
        }
      }
      break;
    }
    case WM_KEYDOWN:
      if (KeyDown(static_cast<WORD>(wParam))) return 0;
      break;
    case WM_VSCROLL:
      ScrollBy(LOWORD(wParam), 0);
      return 0;
    case WM_MOUSEWHEEL:
      ScrollBy(-1, -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateCode(model_.Selected());
      break;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}
