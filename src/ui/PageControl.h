// A tab control whose tabs show pages (TTabSheet); each page is a panel the
// page's controls are placed on.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ui/Panel.h"

class TTabSheet;

class TPageControl : public TControl {
 public:
  explicit TPageControl(TControl& parent);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet& Pages(int index) const { return *pages_[static_cast<size_t>(index)]; }
  int IndexOf(const TTabSheet* page) const;
  TTabSheet* ActivePage() const;
  int ActivePageIndex() const;
  // Shows the page without running OnChange, as a program's choice.
  void SetActivePage(TTabSheet* page);
  // Shows the page as a click on its tab does: OnChanging may refuse, OnChange follows.
  void SelectPage(TTabSheet* page);

  // The user chose another tab: OnChanging may refuse, OnChange follows.
  std::function<void(bool& allow)> OnChanging;
  std::function<void()> OnChange;

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  void AlignControls() override;

 private:
  friend class TTabSheet;
  void AddPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void CaptionChanged(TTabSheet* page);
  void ShowActive();

  std::vector<TTabSheet*> pages_;
};

class TTabSheet : public TPanel {
 public:
  TTabSheet(TPageControl& pageControl, std::wstring_view caption);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const { return pageControl_ ? pageControl_->IndexOf(this) : -1; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring_view caption);
  // The page's accelerator shows it.
  bool DialogChar(WORD key) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_;
  std::wstring caption_;
};
