// The information panel's placing of its labels, its scrolling and its keys.
#include <algorithm>

#include "ui/Application.h"
#include "views/FontInfoPanel.h"
#include "ui/Dpi.h"

using fontinfo::Sections;
using fontinfo::TBox;

namespace {

constexpr int kLineStep = 16;   // pixels a line up or down scrolls

void Place(TControl* control, const TBox& box) {
  if (!control) return;
  if (!box.visible) {
    control->Hide();
    return;
  }
  control->SetBounds(box.left, box.top, box.width, box.height);
  control->Show();
}

}  // namespace

// The sizes of the labels as they stand now.
class TFontInfoPanel::TMeasure : public fontinfo::TInfoMeasure {
 public:
  explicit TMeasure(TFontInfoPanel& panel) : p_(panel) {}
  int HeaderWidth(size_t s) override { return Header(s).cx; }
  int HeaderHeight(size_t s) override { return Header(s).cy; }
  int CaptionWidth(size_t s, size_t r) override { return Caption(s, r).cx; }
  int CaptionHeight(size_t s, size_t r) override { return Caption(s, r).cy; }
  int ValueHeight(size_t s, size_t r, int width) override {
    return p_.views_[s].values[r]->HeightFor(width);
  }
  int WrappedHeight(size_t s, int width) override { return p_.views_[s].values[0]->HeightFor(width); }
  int LinkHeight(size_t s, int width) override { return p_.views_[s].link->HeightFor(width); }
  int Scaled(int pixels) override { return ui::TScale(p_)(pixels); }

 private:
  SIZE Header(size_t s) {
    TLabel& label = *p_.views_[s].header;
    return fontinfo::LineExtent(label.Handle(), label.Font(), label.Text());
  }
  SIZE Caption(size_t s, size_t r) {
    TLabel& label = *p_.views_[s].captions[r];
    return fontinfo::LineExtent(label.Handle(), label.Font(), label.Text());
  }
  TFontInfoPanel& p_;
};

void TFontInfoPanel::LayoutSections() {
  if (views_.empty()) return;  // no font yet: nothing to place
  const TWeakRef<TFontInfoPanel> alive(this);
  ui::ProcessMessages();
  if (!alive) return;
  // The width laid out for: the panel may be resized while the labels are
  // placed, since placing them lets messages run.
  const int width = Width();
  {
    const auto quiet = layingOut_.Hold();
    ++layoutCount_;
    TMeasure measure(*this);
    layout_ = fontinfo::LayoutSections(width, GetSystemMetrics(SM_CXVSCROLL), shown_, measure);
    // Back to the top: the labels are placed where they belong unscrolled.
    horzPos_ = vertPos_ = 0;
    for (size_t s = 0; s < views_.size(); ++s) {
      ui::ProcessMessages();
      if (!alive) return;
      TSectionView& view = views_[s];
      const fontinfo::TSectionPlace& place = layout_.sections[s];
      Place(view.header, place.header);
      Place(view.line, place.line);
      for (size_t r = 0; r < view.captions.size(); ++r) Place(view.captions[r], place.captions[r]);
      for (size_t r = 0; r < view.values.size(); ++r) Place(view.values[r], place.values[r]);
      Place(view.link, place.link);
    }
    UpdateScrollBars();
    lastLayoutWidth_ = width;
  }
  if (Width() != width) {
    Resized();  // now, or after the step under way
    return;
  }
  // Not while the labels hold another font's values (or none yet): the
  // worker of the font shown now lays it out again once it has filled them.
  if (font_ && filledTicket_ == ticket_) Show();
}

void TFontInfoPanel::Resized() {
  layoutPending_ = false;
  if (Width() == lastLayoutWidth_) {
    UpdateScrollBars();  // the page follows the height; nothing moves
    return;
  }
  if (applying_.Active()) {
    layoutPending_ = true;  // after the step that lets messages run
    return;
  }
  Hide();
  LayoutSections();
}

void TFontInfoPanel::UpdateScrollBars() {
  if (!Handle()) return;
  const int contentWidth = layout_.width + ui::TScale(*this)(4);
  SCROLLINFO horz{sizeof horz, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
  horz.nMax = layout_.horzScroll ? contentWidth - 1 : 0;
  horz.nPage = layout_.horzScroll ? static_cast<UINT>(std::max(0, ClientWidth())) : 0;
  horz.nPos = horzPos_;
  ShowScrollBar(Handle(), SB_HORZ, layout_.horzScroll);
  if (layout_.horzScroll) SetScrollInfo(Handle(), SB_HORZ, &horz, TRUE);
  SCROLLINFO vert{sizeof vert, SIF_RANGE | SIF_PAGE | SIF_POS};
  vert.nMax = std::max(0, layout_.height - 1);
  vert.nPage = static_cast<UINT>(std::max(0, ClientHeight()));
  vert.nPos = vertPos_;
  SetScrollInfo(Handle(), SB_VERT, &vert, TRUE);
  if (layout_.horzScroll) {
    // The vertical bar may have taken some of the width.
    horz.fMask = SIF_PAGE;
    horz.nPage = static_cast<UINT>(std::max(0, ClientWidth()));
    SetScrollInfo(Handle(), SB_HORZ, &horz, TRUE);
  }
  ScrollTo(horzPos_, vertPos_);
}

void TFontInfoPanel::ScrollTo(int horz, int vert) {
  const int maxVert = std::max(0, layout_.height - ClientHeight());
  const int maxHorz = layout_.horzScroll ? std::max(0, layout_.width + ui::TScale(*this)(4) - ClientWidth()) : 0;
  horz = std::clamp(horz, 0, maxHorz);
  vert = std::clamp(vert, 0, maxVert);
  const int dx = horzPos_ - horz;
  const int dy = vertPos_ - vert;
  horzPos_ = horz;
  vertPos_ = vert;
  if (dx != 0 || dy != 0)
    ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  SetScrollPos(Handle(), SB_VERT, vertPos_, TRUE);
  if (layout_.horzScroll) SetScrollPos(Handle(), SB_HORZ, horzPos_, TRUE);
}

void TFontInfoPanel::Scroll(int bar, int code) {
  const bool vertical = bar == SB_VERT;
  const int pos = vertical ? vertPos_ : horzPos_;
  const int page = vertical ? ClientHeight() : ClientWidth();
  int target = pos;
  switch (code) {
    case SB_LINEUP: target = pos - ui::TScale(*this)(kLineStep); break;
    case SB_LINEDOWN: target = pos + ui::TScale(*this)(kLineStep); break;
    case SB_PAGEUP: target = pos - page; break;
    case SB_PAGEDOWN: target = pos + page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = 1 << 30; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof info, SIF_TRACKPOS};
      GetScrollInfo(Handle(), bar, &info);
      target = info.nTrackPos;
      break;
    }
    default: return;
  }
  if (vertical) ScrollTo(horzPos_, target);
  else ScrollTo(target, vertPos_);
}

LRESULT TFontInfoPanel::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kStepMessage:
      ApplySteps();
      return 0;
    case WM_DESTROY:
      channel_->Close();
      break;
    case WM_SETFONT: {
      // A new interface font (a new scale): the headers' bold follows it.
      const LRESULT result = TCustomControl::OnMessage(msg, wParam, lParam);
      TFontHandle bold = BoldFontOf(Font());
      for (const TSectionView& view : views_) view.header->SetFont(bold.Get());
      boldFont_ = std::move(bold);
      if (!views_.empty()) LayoutSections();
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = TCustomControl::OnMessage(msg, wParam, lParam);
      if (!layingOut_.Active()) Resized();
      return result;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam != 0) break;  // a scroll bar control's, not ours
      Scroll(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      ScrollTo(horzPos_, vertPos_ - notches * 3 * ui::TScale(*this)(kLineStep));
      return 0;
    }
    case WM_GETDLGCODE:
      return TCustomControl::OnMessage(msg, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      const TShiftState shift = ui::CurrentShiftState();
      const int code = fontinfo::ScrollCodeForKey(static_cast<unsigned>(wParam), shift == 0,
                                                  shift == ssCtrl);
      if (code >= 0 && VertScrollBarVisible) Perform(WM_VSCROLL, static_cast<WPARAM>(code), 0);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus();
      return 0;
    default:
      break;
  }
  return TCustomControl::OnMessage(msg, wParam, lParam);
}
