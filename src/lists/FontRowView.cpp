#include "lists/FontRowView.h"

bool TFontRowView::OnNotify(NMHDR& header, LRESULT& result) {
  if (header.code != LVN_ODFINDITEMW) return TListView::OnNotify(header, result);
  const auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
  result = -1;
  if (OnFindItem && (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz) {
    result = OnFindItem(find.iStart, find.lvfi.psz, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                        (find.lvfi.flags & LVFI_WRAP) != 0);
  }
  return true;
}
