#include "ui/Splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Dpi.h"

TSplitter::TSplitter(TControl& parent, TAlign align, int thickness) : TCustomControl(parent) {
  const bool vertical = align == alLeft || align == alRight;
  const ui::TScale px(*this);
  SetBounds(0, 0, px(vertical ? thickness : 100), px(vertical ? 100 : thickness));
  SetAlign(align);
}

TControl* TSplitter::Neighbour() const {
  if (!Parent()) return nullptr;
  const TRect me = BoundsRect();
  for (TControl* c : Parent()->Controls()) {
    if (c == this || c->Align() != Align() || !c->Visible()) continue;
    const TRect b = c->BoundsRect();
    switch (Align()) {
      case alTop:
        if (b.bottom == me.top) return c;
        break;
      case alBottom:
        if (b.top == me.bottom) return c;
        break;
      case alLeft:
        if (b.right == me.left) return c;
        break;
      case alRight:
        if (b.left == me.right) return c;
        break;
      default:
        break;
    }
  }
  return nullptr;
}

void TSplitter::MoveBy(int delta) {
  TControl* neighbour = Neighbour();
  if (!neighbour || delta == 0) return;
  // Growing is limited by the client control left over.
  int room = 1 << 20;
  for (TControl* c : Parent()->Controls()) {
    if (c->Align() == alClient && c->Visible()) {
      room = (Vertical() ? c->Width() : c->Height()) - MinSize;
    }
  }
  const bool grows = Align() == alTop || Align() == alLeft;
  const int change = grows ? delta : -delta;
  const int size = Vertical() ? neighbour->Width() : neighbour->Height();
  const int newSize = std::max(MinSize, size + std::min(change, std::max(0, room)));
  if (newSize == size) return;
  if (Vertical()) {
    neighbour->SetWidth(newSize);
  } else {
    neighbour->SetHeight(newSize);
  }
  if (OnMoved) OnMoved();
}

LRESULT TSplitter::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, Vertical() ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      dragging_ = true;
      dragStart_ = Vertical() ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const int now = Vertical() ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
        MoveBy(now - dragStart_);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}
