#include "views/CharMatrixZoom.h"

#include <algorithm>

#include "sys/PathText.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "views/CharMatrixText.h"
#include "views/model/CharGrid.h"

namespace {

bool g_showing = false;

bool ClosesTheForm(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

TCharMatrixZoomForm::TCharMatrixZoomForm()
    : infoFontName_(charmap::FaceName(Font())),
      infoFontSize_(charmap::PointSize(Font())),
      fontName_(infoFontName_),
      charColor_(GetSysColor(COLOR_WINDOWTEXT)),
      infoColor_(GetSysColor(COLOR_BTNSHADOW)),
      color_(GetSysColor(COLOR_WINDOW)) {
  CreateForm(L"", WS_POPUP | WS_CLIPCHILDREN, 0, TRect{0, 0, 100, 100});
  infoFont_ = charmap::CreatePointFont(infoFontName_, infoFontSize_);
  Resize();
}

TCharMatrixZoomForm::~TCharMatrixZoomForm() { DestroyHandle(); }

void TCharMatrixZoomForm::SetInfoFontName(const std::string& name) {
  if (sys::EqualNoCase(name, infoFontName_)) return;
  infoFontName_ = name;
  infoFont_ = charmap::CreatePointFont(infoFontName_, infoFontSize_);
  Invalidate();
}

void TCharMatrixZoomForm::SetInfoFontSize(int points) {
  if (points == infoFontSize_) return;
  infoFontSize_ = points;
  infoFont_ = charmap::CreatePointFont(infoFontName_, infoFontSize_);
  Invalidate();
}

void TCharMatrixZoomForm::SetFontName(const std::string& name, charmap::TFaceStyle style) {
  if (sys::EqualNoCase(name, fontName_) && style == style_) return;
  fontName_ = name;
  style_ = style;
  Resize();
}

void TCharMatrixZoomForm::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  Resize();
}

void TCharMatrixZoomForm::SetCharCode(int code) {
  code = std::clamp(code, 0, kCharCodes - 1);
  if (code == charCode_) return;
  charCode_ = code;
  Resize();
}

void TCharMatrixZoomForm::SetCharText(const std::wstring& text) {
  if (text == charText_) return;
  charText_ = text;
  Resize();
}

void TCharMatrixZoomForm::SetCharColor(COLORREF color) {
  if (color == charColor_) return;
  charColor_ = color;
  Invalidate();
}

void TCharMatrixZoomForm::SetInfoColor(COLORREF color) {
  if (color == infoColor_) return;
  infoColor_ = color;
  Invalidate();
}

void TCharMatrixZoomForm::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TCharMatrixZoomForm::SetInfoText(const std::string& text) {
  if (text == infoText_) return;
  infoText_ = text;
  Invalidate();
}

void TCharMatrixZoomForm::Resize() {
  charFont_ = charmap::CreatePointFont(fontName_, fontSize_, style_);
  const TWindowDC screen(nullptr);
  const TSelectObject select(screen.Get(), charFont_.Get());
  const std::wstring text = charText_.empty() ? charmap::CharOfCode(screen.Get(), charCode_) : charText_;
  SIZE extent{};
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  if (text.empty()) {
    // No character: the box of an empty line of that font.
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    extent.cy = tm.tmHeight;
  }
  const TZoomSize size = ZoomFormSize(extent.cx, extent.cy, ui::TScale(*this)(kZoomMargin));
  const TRect bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, size.width, size.height);
  Invalidate();
}

void TCharMatrixZoomForm::Paint(HDC dc) {
  const int width = ClientWidth();
  const int height = ClientHeight();
  const RECT client{0, 0, width, height};
  const TBrushHandle ground(CreateSolidBrush(color_));
  FillRect(dc, &client, ground.Get());

  const TPenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_HIGHLIGHT)));
  const TSelectObject selectPen(dc, pen.Get());
  const POINT frame[] = {{0, 0}, {width - 1, 0}, {width - 1, height - 1}, {0, height - 1}, {0, 0}};
  Polyline(dc, frame, 5);

  SetBkMode(dc, TRANSPARENT);
  if (!infoText_.empty()) {
    const TSelectObject font(dc, infoFont_.Get());
    SetTextColor(dc, infoColor_);
    const std::wstring info = charmap::WideLabel(infoText_);
    RECT r{3, 3, width - 4, height - 4};
    DrawTextW(dc, info.c_str(), static_cast<int>(info.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  const TSelectObject font(dc, charFont_.Get());
  SetTextColor(dc, charColor_);
  const std::wstring text = charText_.empty() ? charmap::CharOfCode(dc, charCode_) : charText_;
  RECT r{1, 1, width - 2, height - 2};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TCharMatrixZoomForm::Dismiss() {
  if (closed_) return;
  closed_ = true;
  Hide();
}

bool TCharMatrixZoomForm::IsOpen() { return g_showing; }

bool TCharMatrixZoomForm::ShowModal() {
  // Modal and alone: a second double click while one shows opens no other.
  if (g_showing || !Handle()) return false;
  g_showing = true;
  const TScopeExit done([] { g_showing = false; });
  const TWeakRef<TCharMatrixZoomForm> alive(this);
  closed_ = false;
  SetModal(true);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  MSG msg{};
  while (alive && !closed_ && Handle()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      break;
    }
    if (got == -1) break;
    // The key or click that closes the magnifier does nothing else.
    if (msg.hwnd == Handle() && ClosesTheForm(msg.message)) {
      Dismiss();
      break;
    }
    ui::HandleMessage(msg);
  }
  if (!alive) return true;
  SetModal(false);
  Dismiss();
  return true;
}

LRESULT TCharMatrixZoomForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (ClosesTheForm(msg)) {
    Dismiss();
    return 0;
  }
  switch (msg) {
    case WM_PAINT: {
      const TPaintDC paint(Handle());
      Paint(paint.Get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) Dismiss();
      break;
    case WM_ACTIVATEAPP:
      if (!wParam) Dismiss();
      break;
    case WM_CLOSE:
      Dismiss();
      return 0;
    default:
      break;
  }
  return TForm::OnMessage(msg, wParam, lParam);
}
