#include "ui/Panel.h"

#include "ui/Gdi.h"

// --- TCustomControl

TCustomControl::TCustomControl(TControl& parent, DWORD style, DWORD exStyle) : TControl(&parent) {
  CreateParams params;
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style;
  params.exStyle = exStyle;
  CreateOwnWindow(params, L"VelmaraControl");
}

void TCustomControl::Paint(HDC, const RECT&) {}

LRESULT TCustomControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      const TPaintDC paint(Handle());
      const RECT& update = paint.UpdateRect();
      if (DoubleBuffered) {
        const RECT client{0, 0, ClientWidth(), ClientHeight()};
        const TMemoryDC memory(paint.Get());
        const TBitmapHandle bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
        const TSelectObject select(memory.Get(), bitmap.Get());
        FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        Paint(memory.Get(), update);
        BitBlt(paint.Get(), update.left, update.top, update.right - update.left,
               update.bottom - update.top, memory.Get(), update.left, update.top, SRCCOPY);
      } else {
        Paint(paint.Get(), update);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      if (DoubleBuffered) return 1;
      break;
    default:
      break;
  }
  return TControl::OnMessage(msg, wParam, lParam);
}

// --- TPanel

namespace {

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = cut == bvRaised ? light : dark;
  const COLORREF bottomRight = cut == bvRaised ? dark : light;
  for (int i = 0; i < width; ++i) {
    TBrushHandle tl(CreateSolidBrush(topLeft));
    TBrushHandle br(CreateSolidBrush(bottomRight));
    RECT edge{r.left, r.top, r.right, r.top + 1};
    FillRect(dc, &edge, tl.Get());
    edge = RECT{r.left, r.top, r.left + 1, r.bottom};
    FillRect(dc, &edge, tl.Get());
    edge = RECT{r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(dc, &edge, br.Get());
    edge = RECT{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &edge, br.Get());
    InflateRect(&r, -1, -1);
  }
}

}  // namespace

TPanel::TPanel(TControl& parent) : TCustomControl(parent) {}

void TPanel::Changed() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevelOuter_ == bevel) return;
  bevelOuter_ = bevel;
  Changed();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  if (bevelInner_ == bevel) return;
  bevelInner_ = bevel;
  Changed();
}

void TPanel::SetBevelWidth(int width) {
  if (bevelWidth_ == width || width < 1) return;
  bevelWidth_ = width;
  Changed();
}

void TPanel::SetBorderWidth(int width) {
  if (borderWidth_ == width || width < 0) return;
  borderWidth_ = width;
  Changed();
}

TRect TPanel::AlignArea() const {
  TRect r = ClientRect();
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  r.left += inset;
  r.top += inset;
  r.right -= inset;
  r.bottom -= inset;
  return r;
}

void TPanel::Paint(HDC dc, const RECT&) {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  if (ShowCaption) {
    const std::wstring caption = Text();
    TSelectObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

LRESULT TPanel::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      // Bevels sit at the edges: repaint them where the size changed.
      if (bevelOuter_ != bvNone || bevelInner_ != bvNone || ShowCaption) Invalidate();
      break;
    case WM_LBUTTONUP:
      if (OnClick) OnClick();
      break;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}

// --- TCompPanel

TCompPanel::TCompPanel(TControl& parent) : TPanel(parent) {}

void TCompPanel::SetFocus() {
  if (mainChild_ && mainChild_->CanFocus()) {
    mainChild_->SetFocus();
  } else {
    TPanel::SetFocus();
  }
}

bool TCompPanel::CanFocus() const {
  return mainChild_ ? mainChild_->CanFocus() : TPanel::CanFocus();
}

LRESULT TCompPanel::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS && mainChild_ && mainChild_->CanFocus()) {
    mainChild_->SetFocus();
    return 0;
  }
  return TPanel::OnMessage(msg, wParam, lParam);
}
