// The background colour of a list view's rows, as the lists publish it.
#pragma once

#include "ui/ListView.h"

COLORREF ListViewColor(const TListView& view);
void SetListViewColor(TListView& view, COLORREF color);
