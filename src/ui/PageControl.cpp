#include "ui/PageControl.h"

#include <algorithm>
#include "ui/Dpi.h"

TPageControl::TPageControl(TControl& parent) : TControl(&parent) {
  CreateParams params;
  params.className = WC_TABCONTROLW;
  params.style |= WS_TABSTOP | WS_CLIPCHILDREN | TCS_TABS | TCS_FOCUSONBUTTONDOWN;
  params.width = ui::TScale(*this)(289);
  params.height = ui::TScale(*this)(193);
  CreateSystemWindow(params);
  // Narrow tabs, so that a page control as narrow as a navigation pane
  // shows all its captions.
  TabCtrl_SetPadding(Handle(), ui::TScale(*this)(4), ui::TScale(*this)(3));
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

int TPageControl::IndexOf(const TTabSheet* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

int TPageControl::ActivePageIndex() const {
  return Handle() ? TabCtrl_GetCurSel(Handle()) : -1;
}

TTabSheet* TPageControl::ActivePage() const {
  const int index = ActivePageIndex();
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  const int index = IndexOf(page);
  if (index < 0 || index == ActivePageIndex()) return;
  TabCtrl_SetCurSel(Handle(), index);
  ShowActive();
}

void TPageControl::SelectPage(TTabSheet* page) {
  const int index = IndexOf(page);
  if (index < 0 || index == ActivePageIndex()) return;
  bool allow = true;
  if (OnChanging) OnChanging(allow);
  if (!allow) return;
  // The focus must not stay on a page that is going out of sight.
  TTabSheet* old = ActivePage();
  if (old && IsChild(old->Handle(), GetFocus())) SetFocus();
  TabCtrl_SetCurSel(Handle(), index);
  ShowActive();
  if (OnChange) OnChange();
}

void TPageControl::AddPage(TTabSheet* page) {
  pages_.push_back(page);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = page->caption_.data();
  TabCtrl_InsertItem(Handle(), PageCount() - 1, &item);
  if (PageCount() == 1) TabCtrl_SetCurSel(Handle(), 0);
  ShowActive();
}

void TPageControl::RemovePage(TTabSheet* page) {
  const int index = IndexOf(page);
  if (index < 0) return;
  pages_.erase(pages_.begin() + index);
  if (Handle()) {
    const int active = ActivePageIndex();
    TabCtrl_DeleteItem(Handle(), index);
    if (active == index && PageCount() > 0) TabCtrl_SetCurSel(Handle(), std::min(index, PageCount() - 1));
    ShowActive();
  }
}

void TPageControl::CaptionChanged(TTabSheet* page) {
  const int index = IndexOf(page);
  if (index < 0) return;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = page->caption_.data();
  TabCtrl_SetItem(Handle(), index, &item);
  Realign();
}

void TPageControl::ShowActive() {
  Realign();
  TTabSheet* active = ActivePage();
  for (TTabSheet* page : pages_) {
    if (page != active) page->SetVisible(false);
  }
  if (active) {
    active->SetVisible(true);
    active->BringToFront();
  }
}

void TPageControl::AlignControls() {
  RECT r{};
  GetClientRect(Handle(), &r);
  TabCtrl_AdjustRect(Handle(), FALSE, &r);
  for (TTabSheet* page : pages_) {
    page->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top));
  }
}

bool TPageControl::OnNotify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case TCN_SELCHANGING: {
      bool allow = true;
      if (OnChanging) OnChanging(allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TCN_SELCHANGE:
      ShowActive();
      if (OnChange) OnChange();
      return true;
    default:
      return false;
  }
}

TTabSheet::TTabSheet(TPageControl& pageControl, std::wstring_view caption)
    : TPanel(pageControl), pageControl_(&pageControl), caption_(caption) {
  SetVisible(false);
  pageControl.AddPage(this);
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

bool TTabSheet::DialogChar(WORD key) {
  if (!pageControl_ || AccelKey(caption_) != key || !pageControl_->Showing() ||
      !pageControl_->Enabled()) {
    return false;
  }
  pageControl_->SelectPage(this);
  return true;
}

void TTabSheet::SetCaption(std::wstring_view caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  if (pageControl_) pageControl_->CaptionChanged(this);
}
