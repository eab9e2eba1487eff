#include "widgets/LinkLabel.h"

#include "sys/sys.h"
#include "ui/Gdi.h"
#include "widgets/LinkLabelUrl.h"

namespace {

constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;

// The label's font, underlined for a link.
TFontHandle UnderlinedFont(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), sizeof lf, &lf);
  lf.lfUnderline = TRUE;
  return TFontHandle(CreateFontIndirectW(&lf));
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

int WrappedTextHeight(HWND window, HFONT font, std::wstring_view text, int width) {
  if (text.empty() || !window) return 0;
  TWindowDC dc(window);
  TSelectObject select(dc.Get(), font);
  RECT r{0, 0, width, 0};
  DrawTextW(dc.Get(), text.data(), static_cast<int>(text.size()), &r, kTextFlags | DT_CALCRECT);
  return r.bottom;
}

TLinkLabel::TLinkLabel(TControl& parent) : TCustomControl(parent) {}

void TLinkLabel::SetUrl(std::string_view url) {
  if (url_ == url) return;
  url_ = url;
  Invalidate();
}

bool TLinkLabel::Openable() const { return linklabel::IsOpenableUrl(Trimmed(url_)); }

int TLinkLabel::HeightFor(int width) const { return WrappedTextHeight(Handle(), Font(), Text(), width); }

bool TLinkLabel::Open() {
  if (!Openable()) return false;
  return sys::Current().OpenUrl(Trimmed(url_));
}

void TLinkLabel::Paint(HDC dc, const RECT&) {
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring caption = Text();
  if (caption.empty()) return;
  const bool link = Openable();
  const TFontHandle underlined = link ? UnderlinedFont(Font()) : TFontHandle();
  TSelectObject select(dc, link ? underlined.Get() : Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, link ? RGB(0, 0, 255) : GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, kTextFlags);
}

LRESULT TLinkLabel::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTEXT: {
      const LRESULT result = TCustomControl::OnMessage(msg, wParam, lParam);
      Invalidate();
      return result;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && Openable()) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const RECT client{0, 0, ClientWidth(), ClientHeight()};
      if (!PtInRect(&client, at)) return 0;
      const TWeakRef<TLinkLabel> alive(this);
      Open();
      if (alive && OnClick) {
        const auto handler = OnClick;
        handler();
      }
      return 0;
    }
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}
