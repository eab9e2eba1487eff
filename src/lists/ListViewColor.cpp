#include "lists/ListViewColor.h"

COLORREF ListViewColor(const TListView& view) { return ListView_GetBkColor(view.Handle()); }

void SetListViewColor(TListView& view, COLORREF color) {
  if (ListViewColor(view) == color) return;
  ListView_SetBkColor(view.Handle(), color);
  ListView_SetTextBkColor(view.Handle(), color);
  view.Invalidate();
}
