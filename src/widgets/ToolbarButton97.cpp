#include "widgets/ToolbarGlyph.h"
#include "widgets/Toolbar97.h"
#include "ui/Dpi.h"

namespace {

constexpr UINT kCaptionFlags = DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

// The checked background of a button that is down: every other pixel light.
TBrushHandle DitherBrush() {
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  const TBitmapHandle bitmap(CreateBitmap(8, 8, 1, 1, pattern));
  return TBrushHandle(CreatePatternBrush(bitmap.Get()));
}

}  // namespace

TToolbarButton97::TToolbarButton97(TToolbar97& bar) : bar_(bar) {}
TToolbarButton97::~TToolbarButton97() = default;

const std::wstring& TToolbarButton97::Caption() const { return caption_; }

void TToolbarButton97::SetCaption(std::wstring_view caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed(false);
}

void TToolbarButton97::SetGlyph(HBITMAP glyph) {
  glyph_ = glyph ? std::make_unique<toolbar97::TGlyph>(glyph) : nullptr;
  Changed(false);
}

bool TToolbarButton97::Enabled() const { return enabled_; }

void TToolbarButton97::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed(false);
}

bool TToolbarButton97::Down() const { return down_; }

void TToolbarButton97::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  if (down && GroupIndex > 0) {
    for (int i = 0; i < bar_.ButtonCount(); ++i) {
      TToolbarButton97& other = bar_.Button(i);
      if (&other != this && other.GroupIndex == GroupIndex && other.down_) {
        other.down_ = false;
        other.Changed(false);
      }
    }
  }
  Changed(false);
}

TButtonDisplayMode TToolbarButton97::DisplayMode() const { return displayMode_; }

void TToolbarButton97::SetDisplayMode(TButtonDisplayMode mode) {
  if (displayMode_ == mode) return;
  displayMode_ = mode;
  Changed(false);
}

int TToolbarButton97::Width() const { return width_; }
int TToolbarButton97::Height() const { return height_; }

void TToolbarButton97::SetSize(int width, int height) {
  if (width_ == width && height_ == height) return;
  width_ = width;
  height_ = height;
  Changed(true);
}

TRect TToolbarButton97::ScreenRect() const {
  RECT r = rect_;
  if (bar_.Handle()) MapWindowPoints(bar_.Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void TToolbarButton97::Changed(bool resized) {
  if (resized) bar_.Relayout();
  if (bar_.Handle()) InvalidateRect(bar_.Handle(), &rect_, TRUE);
}

void TToolbarButton97::Draw(HDC dc, bool hot, bool pressed) const {
  RECT r = rect_;
  const bool sunken = pressed || down_;
  if (down_ && !pressed) {
    const TBrushHandle dither = DitherBrush();
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT inside = r;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, dither.Get());
  }
  if (sunken) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (hot && enabled_) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = sunken ? 1 : 0;
  const bool withCaption = displayMode_ == dmGlyphAndCaption && !caption_.empty();
  const TSelectObject font(dc, bar_.CaptionFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int glyphHeight = glyph_ ? glyph_->Height() : 0;
  const int textHeight = withCaption ? metrics.tmHeight : 0;
  const int gap = glyph_ && withCaption ? ui::TScale(bar_)(2) : 0;
  int top = r.top + (r.bottom - r.top - glyphHeight - gap - textHeight) / 2 + shift;
  if (glyph_) {
    const int left = r.left + (r.right - r.left - glyph_->Width()) / 2 + shift;
    glyph_->Draw(dc, left, top, enabled_);
    top += glyphHeight + gap;
  }
  if (withCaption) {
    RECT text{r.left + ui::TScale(bar_)(2) + shift, top, r.right - ui::TScale(bar_)(2) + shift, top + textHeight};
    SetBkMode(dc, TRANSPARENT);
    if (!enabled_) {
      // Embossed, as the system draws a disabled caption.
      RECT light = text;
      OffsetRect(&light, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &light, kCaptionFlags);
    }
    SetTextColor(dc, GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, kCaptionFlags);
  }
}
