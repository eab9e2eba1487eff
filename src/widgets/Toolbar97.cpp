#include "widgets/Toolbar97.h"

#include <windowsx.h>

#include <algorithm>

#include "widgets/FloatingBar.h"
#include "widgets/ToolbarGlyph.h"
#include "widgets/ToolbarMetrics.h"

using namespace toolbar97;

namespace {

// "新建(&N)" loses its bracket, "&Open" its ampersand; "&&" stays one "&".
std::wstring WithoutAccelerator(std::wstring_view caption) {
  std::wstring text(caption);
  const size_t open = text.find(L"(&");
  if (open != std::wstring::npos && open + 3 < text.size() && text[open + 3] == L')') {
    text.erase(open, 4);
  }
  std::wstring plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&') {
      if (i + 1 < text.size() && text[i + 1] == L'&') plain += text[++i];
      continue;
    }
    plain += text[i];
  }
  return plain;
}

void DrawGrip(HDC dc, const RECT& grip, bool vertical) {
  // Two raised lines side by side, filling the grip.
  const int thickness = (vertical ? grip.bottom - grip.top : grip.right - grip.left) / 2;
  for (int line = 0; line < 2; ++line) {
    RECT r = grip;
    if (vertical) {
      r.top = grip.top + line * thickness;
      r.bottom = r.top + thickness;
    } else {
      r.left = grip.left + line * thickness;
      r.right = r.left + thickness;
    }
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
}

void DrawSeparator(HDC dc, const RECT& r, bool vertical) {
  RECT line = r;
  if (vertical) {
    line.top = (r.top + r.bottom) / 2 - 1;
    line.bottom = line.top + 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  } else {
    line.left = (r.left + r.right) / 2 - 1;
    line.right = line.left + 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  }
}

}  // namespace

TToolbar97::TToolbar97(TControl& frame, TDock97& dock, std::wstring_view caption)
    : TCustomControl(frame, NoWindow{}), caption_(caption), dock_(&dock), lastDock_(&dock) {
  CreateParams params;
  params.text = caption_;
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  params.parentWindow = dock.Handle();
  params.width = 0;
  params.height = 0;
  CreateOwnWindow(params, L"VelmaraToolbar97");
  DoubleBuffered = true;
  tips_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ui::Instance(),
                              nullptr));
  // A new bar goes at the end of the first row.
  for (TToolbar97* other : dock.bars_) {
    if (other->row_ != 0) continue;
    const SIZE size = other->NaturalSize(!dock.Horizontal(), true);
    pos_ = std::max(pos_, other->pos_ + static_cast<int>(dock.Horizontal() ? size.cx : size.cy));
  }
  dock.Insert(*this);
}

TToolbar97::~TToolbar97() {
  // The windows go while every part of the bar still stands.
  DestroyHandle();
  floating_.reset();
  if (TDock97* dock = dock_.Get()) dock->Remove(*this);
}

const std::wstring& TToolbar97::Caption() const { return caption_; }

TToolbarButton97& TToolbar97::AddButton(std::wstring_view caption) {
  buttons_.push_back(std::unique_ptr<TToolbarButton97>(new TToolbarButton97(*this)));
  TToolbarButton97& button = *buttons_.back();
  button.caption_ = caption;
  items_.push_back({&button});
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = buttons_.size();
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  if (tips_) SendMessageW(tips_.Get(), TTM_ADDTOOLW, 0, ui::AsLParam(&tool));
  Relayout();
  return button;
}

TToolbarButton97& TToolbar97::AddButton(TMenuItem& item) {
  TToolbarButton97& button = AddButton(WithoutAccelerator(item.Caption()));
  button.Hint = item.Hint;
  button.OnClick = item.OnClick;
  return button;
}

void TToolbar97::AddSeparator() {
  items_.push_back({nullptr});
  Relayout();
}

int TToolbar97::ButtonCount() const { return static_cast<int>(buttons_.size()); }

TToolbarButton97& TToolbar97::Button(int index) const { return *buttons_.at(static_cast<size_t>(index)); }

HFONT TToolbar97::CaptionFont() const { return Font(); }

TDock97* TToolbar97::DockedTo() const { return dock_.Get(); }

bool TToolbar97::Vertical() const { return dock_ && !dock_->Horizontal(); }

SIZE TToolbar97::NaturalSize(bool vertical, bool grip) const {
  const auto [kBorder, kGrip, kSeparator, kEmptyThickness] = toolbar97::Metrics(*this);
  int along = 2 * kBorder + (grip ? kGrip : 0);
  int across = 0;
  for (const TItem& item : items_) {
    if (!item.button) {
      along += kSeparator;
      continue;
    }
    along += vertical ? item.button->height_ : item.button->width_;
    across = std::max(across, vertical ? item.button->width_ : item.button->height_);
  }
  across = 2 * kBorder + std::max(across, kEmptyThickness);
  return vertical ? SIZE{across, along} : SIZE{along, across};
}

RECT TToolbar97::GripRect() const {
  const auto [kBorder, kGrip, kSeparator, kEmptyThickness] = toolbar97::Metrics(*this);
  if (!dock_) return RECT{};
  const ui::TScale px(*this);
  if (Vertical()) return RECT{kBorder, kBorder + px(1), ClientWidth() - kBorder, kBorder + px(7)};
  return RECT{kBorder + px(1), kBorder, kBorder + px(7), ClientHeight() - kBorder};
}

void TToolbar97::LayoutItems() {
  const auto [kBorder, kGrip, kSeparator, kEmptyThickness] = toolbar97::Metrics(*this);
  const bool vertical = Vertical();
  int at = kBorder + (dock_ ? kGrip : 0);
  for (const TItem& item : items_) {
    if (!item.button) {
      at += kSeparator;
      continue;
    }
    TToolbarButton97& b = *item.button;
    b.rect_ = vertical ? RECT{kBorder, at, kBorder + b.width_, at + b.height_}
                       : RECT{at, kBorder, at + b.width_, kBorder + b.height_};
    at += vertical ? b.height_ : b.width_;
  }
  SyncTools();
  Invalidate();
}

void TToolbar97::Relayout() {
  if (TDock97* dock = dock_.Get()) {
    dock->ArrangeBars();
    return;
  }
  LayoutItems();
  if (floating_) {
    const SIZE outer = TFloatingBar::OuterSize(NaturalSize(false, false));
    const TRect now = Bounds();
    floating_->Place(BoundsToRect(now.left, now.top, outer.cx, outer.cy));
  }
}

void TToolbar97::SyncTools() {
  if (!tips_) return;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Handle();
    tool.uId = i + 1;
    tool.rect = buttons_[i]->rect_;
    SendMessageW(tips_.Get(), TTM_NEWTOOLRECTW, 0, ui::AsLParam(&tool));
  }
}

TToolbarButton97* TToolbar97::ButtonAt(POINT client) const {
  for (const auto& button : buttons_) {
    if (PtInRect(&button->rect_, client)) return button.get();
  }
  return nullptr;
}

void TToolbar97::SetHot(TToolbarButton97* button) {
  if (hot_ == button) return;
  if (hot_) InvalidateRect(Handle(), &hot_->rect_, TRUE);
  hot_ = button;
  if (!hot_) return;
  InvalidateRect(Handle(), &hot_->rect_, TRUE);
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
  TrackMouseEvent(&track);
}

void TToolbar97::Click(TToolbarButton97& button) {
  if (button.GroupIndex > 0) {
    if (!button.down_) {
      button.SetDown(true);
    } else if (button.AllowAllUp) {
      button.SetDown(false);
    }
  }
  // A copy: the handler may free the button.
  const std::function<void()> handler = button.OnClick;
  if (handler) handler();
}

void TToolbar97::Changed() {
  const std::function<void()> handler = OnChanged;
  if (handler) handler();
}

void TToolbar97::Paint(HDC dc, const RECT&) {
  const auto [kBorder, kGrip, kSeparator, kEmptyThickness] = toolbar97::Metrics(*this);
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  const bool vertical = Vertical();
  if (dock_) {
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    DrawGrip(dc, GripRect(), vertical);
  }
  int at = kBorder + (dock_ ? kGrip : 0);
  for (const TItem& item : items_) {
    if (item.button) {
      item.button->Draw(dc, hot_ == item.button, pressed_ == item.button && pressedInside_);
      at = vertical ? item.button->rect_.bottom : item.button->rect_.right;
      continue;
    }
    const RECT gap = vertical ? RECT{kBorder, at, client.right - kBorder, at + kSeparator}
                              : RECT{at, kBorder, at + kSeparator, client.bottom - kBorder};
    DrawSeparator(dc, gap, vertical);
    at += kSeparator;
  }
}

LRESULT TToolbar97::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_MOUSEMOVE:
      if (pressed_) {
        const bool inside = PtInRect(&pressed_->rect_, at) != 0;
        if (inside != pressedInside_) {
          pressedInside_ = inside;
          InvalidateRect(Handle(), &pressed_->rect_, TRUE);
        }
      } else {
        SetHot(ButtonAt(at));
      }
      break;
    case WM_MOUSELEAVE:
      SetHot(nullptr);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const RECT grip = GripRect();
      if (PtInRect(&grip, at)) {
        POINT screen = at;
        ClientToScreen(Handle(), &screen);
        DragFrom(screen);
        return 0;
      }
      TToolbarButton97* button = ButtonAt(at);
      if (button && button->enabled_) {
        pressed_ = button;
        pressedInside_ = true;
        SetCapture(Handle());
        InvalidateRect(Handle(), &button->rect_, TRUE);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      TToolbarButton97* button = pressed_;
      if (!button) return 0;
      pressed_ = nullptr;
      ReleaseCapture();
      InvalidateRect(Handle(), &button->rect_, TRUE);
      if (PtInRect(&button->rect_, at) && button->enabled_) Click(*button);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (pressed_) {
        InvalidateRect(Handle(), &pressed_->rect_, TRUE);
        pressed_ = nullptr;
      }
      break;
    case WM_NOTIFY: {
      auto* header = ui::AsPointer<NMHDR>(lParam);
      if (header->hwndFrom == tips_.Get() && header->code == TTN_GETDISPINFOW) {
        auto* info = ui::AsPointer<NMTTDISPINFOW>(lParam);
        const size_t index = header->idFrom - 1;
        if (index < buttons_.size()) info->lpszText = const_cast<wchar_t*>(buttons_[index]->Hint.c_str());
        return 0;
      }
      break;
    }
    case WM_DESTROY:
      // The frame's going may have taken the tips with it already.
      if (!IsWindow(tips_.Get())) (void)tips_.Release();
      tips_.Reset();
      break;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}

// --- Docking, floating, layout

void TToolbar97::DockTo(TDock97& dock) {
  TDock97* old = dock_.Get();
  if (old == &dock) return;
  if (!old && floating_) {
    floatingBounds_ = Bounds();
    floating_->Hide();
  }
  dock_ = &dock;
  lastDock_ = &dock;
  if (old) old->Remove(*this);
  SetParent(Handle(), dock.Handle());
  ShowWindow(Handle(), visible_ ? SW_SHOWNA : SW_HIDE);
  dock.Insert(*this);
}

SIZE TToolbar97::FloatingSize() const { return TFloatingBar::OuterSize(NaturalSize(false, false)); }

void TToolbar97::Float() {
  TDock97* old = dock_.Get();
  if (!old || !Handle()) return;
  if (floatingBounds_.Width() <= 0) {
    // Where the bar is now, its caption above it.
    RECT r{};
    GetWindowRect(Handle(), &r);
    const SIZE size = FloatingSize();
    const int caption = GetSystemMetrics(SM_CYSMCAPTION);
    floatingBounds_ = BoundsToRect(r.left, r.top - caption, size.cx, size.cy);
  }
  dock_ = nullptr;
  old->Remove(*this);
  if (!floating_) {
    HWND frame = Parent() && Parent()->Handle() ? GetAncestor(Parent()->Handle(), GA_ROOT) : nullptr;
    floating_ = std::make_unique<TFloatingBar>(*this, frame);
  }
  SetParent(Handle(), floating_->Handle());
  ShowWindow(Handle(), SW_SHOWNA);
  LayoutItems();
  floating_->Place(floatingBounds_);
  RECT client{};
  GetClientRect(floating_->Handle(), &client);
  SetWindowPos(Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  if (visible_) ShowWindow(floating_->Handle(), SW_SHOWNA);
}

void TToolbar97::DockBack() {
  TDock97* dock = lastDock_.Get();
  if (!dock || dock_) return;
  DockTo(*dock);
  dock->CompactRows();
  dock->ArrangeBars();
  Changed();
}

int TToolbar97::DockRow() const { return row_; }

void TToolbar97::SetDockRow(int row) {
  if (row_ == row) return;
  row_ = row;
  if (TDock97* dock = dock_.Get()) dock->ArrangeBars();
}

int TToolbar97::DockPos() const { return pos_; }

void TToolbar97::SetDockPos(int pos) {
  if (pos_ == pos) return;
  pos_ = pos;
  if (TDock97* dock = dock_.Get()) dock->ArrangeBars();
}

TRect TToolbar97::Bounds() const {
  if (dock_) return BoundsRect();
  if (floating_ && floating_->Handle()) {
    RECT r{};
    GetWindowRect(floating_->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  return floatingBounds_;
}

void TToolbar97::SetBarBounds(const TRect& bounds) {
  if (TDock97* dock = dock_.Get()) {
    // Docked, the rectangle gives the position along the row.
    SetDockPos(dock->Horizontal() ? bounds.left : bounds.top);
    return;
  }
  floatingBounds_ = bounds;
  if (floating_) floating_->Place(bounds);
}

bool TToolbar97::BarVisible() const { return visible_; }

void TToolbar97::SetBarVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (TDock97* dock = dock_.Get()) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
    dock->ArrangeBars();
  } else if (floating_ && floating_->Handle()) {
    ShowWindow(floating_->Handle(), visible ? SW_SHOWNA : SW_HIDE);
  }
}
