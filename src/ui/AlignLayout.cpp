#include "ui/AlignLayout.h"

#include <algorithm>

namespace {

void Place(TRect& area, TAlignItem& item) {
  const int width = std::max(0, item.bounds.Width());
  const int height = std::max(0, item.bounds.Height());
  TRect r = area;
  switch (item.align) {
    case alTop:
      r.bottom = std::min(area.bottom, area.top + height);
      area.top = r.bottom;
      break;
    case alBottom:
      r.top = std::max(area.top, area.bottom - height);
      area.bottom = r.top;
      break;
    case alLeft:
      r.right = std::min(area.right, area.left + width);
      area.left = r.right;
      break;
    case alRight:
      r.left = std::max(area.left, area.right - width);
      area.right = r.left;
      break;
    case alClient:
    case alNone:
      break;
  }
  item.bounds = r;
}

}  // namespace

void AlignItems(const TRect& area, std::vector<TAlignItem>& items) {
  TRect rest = area;
  rest.right = std::max(rest.left, rest.right);
  rest.bottom = std::max(rest.top, rest.bottom);
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TAlignItem& item : items) {
      if (item.visible && item.align == pass) Place(rest, item);
    }
  }
}
