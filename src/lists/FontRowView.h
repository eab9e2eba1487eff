// The font list's inner view: a virtual report view that also answers the
// view's own search for a row by its caption (type-ahead), which a virtual
// view must hand to its owner.
#pragma once

#include <functional>
#include <string_view>

#include "ui/ListView.h"

class TFontRowView : public TListView {
 public:
  using TListView::TListView;

  // The first row from `start` on (wrapping to the top when `wrap`) whose
  // caption equals `text`, or begins with it when `partial`; -1 when none.
  std::function<int(int start, std::wstring_view text, bool partial, bool wrap)> OnFindItem;

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override;
};
