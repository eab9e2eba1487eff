#include "ui/ListView.h"

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/ImageList.h"

namespace {

int StateImageOf(UINT state) { return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1; }

}  // namespace

TListView::TListView(TControl& parent, const TListViewOptions& options)
    : TControl(&parent), options_(options) {
  CreateParams params;
  params.className = WC_LISTVIEWW;
  params.style |= WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS |
                  (options.multiSelect ? 0 : LVS_SINGLESEL) |
                  (options.editCaptions ? LVS_EDITLABELS : 0) |
                  (options.showColumnHeaders ? 0 : LVS_NOCOLUMNHEADER) |
                  (options.headerClickable ? 0 : LVS_NOSORTHEADER) |
                  (options.hideSelection ? 0 : LVS_SHOWSELALWAYS) |
                  (options.ownerData ? LVS_OWNERDATA : 0);
  params.exStyle = WS_EX_CLIENTEDGE;
  params.width = ui::TScale(*this)(250);
  params.height = ui::TScale(*this)(150);
  CreateSystemWindow(params);
  DWORD ex = LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP;
  if (options.rowSelect) ex |= LVS_EX_FULLROWSELECT;
  ListView_SetExtendedListViewStyleEx(Handle(), ex, ex);
  if (options.ownerData) ListView_SetCallbackMask(Handle(), LVIS_STATEIMAGEMASK);
}

int TListView::AddColumn(std::wstring_view caption, int width, int format) {
  std::wstring text(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = format;
  column.cx = width;
  column.pszText = text.data();
  return ListView_InsertColumn(Handle(), ColumnCount(), &column);
}

void TListView::DeleteColumn(int index) { ListView_DeleteColumn(Handle(), index); }

int TListView::ColumnCount() const {
  HWND header = ListView_GetHeader(Handle());
  return header ? Header_GetItemCount(header) : 0;
}

int TListView::ColumnWidth(int index) const { return ListView_GetColumnWidth(Handle(), index); }

void TListView::SetColumnWidth(int index, int width) {
  if (index >= 0 && index < ColumnCount()) ListView_SetColumnWidth(Handle(), index, width);
}

void TListView::ScaleContent(int from, int to) {
  for (int i = 0; i < ColumnCount(); ++i) SetColumnWidth(i, ui::RescaleDpi(ColumnWidth(i), from, to));
}

void TListView::SetStateImages(const TImageList* images) {
  HIMAGELIST list = images ? images->Handle() : nullptr;
  if (StateImages() != list) ListView_SetImageList(Handle(), list, LVSIL_STATE);
}

HIMAGELIST TListView::StateImages() const { return ListView_GetImageList(Handle(), LVSIL_STATE); }

int TListView::AddItem(std::wstring_view caption, LPARAM data) {
  std::wstring text(caption);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ItemCount();
  item.pszText = text.data();
  item.lParam = data;
  return ListView_InsertItem(Handle(), &item);
}

void TListView::SetItemText(int item, int subItem, std::wstring_view text) {
  std::wstring copy(text);
  ListView_SetItemText(Handle(), item, subItem, copy.data());
}

LPARAM TListView::ItemData(int item) const {
  LVITEMW lv{};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  return ListView_GetItem(Handle(), &lv) ? lv.lParam : 0;
}

void TListView::DeleteItem(int item) { ListView_DeleteItem(Handle(), item); }

void TListView::Clear() {
  if (options_.ownerData) {
    SetItemCount(0);
  } else {
    ListView_DeleteAllItems(Handle());
  }
}

void TListView::Reserve(int count) {
  if (!options_.ownerData) ListView_SetItemCount(Handle(), count);
}

int TListView::ItemCount() const { return ListView_GetItemCount(Handle()); }

void TListView::SetItemCount(int count) {
  if (options_.ownerData) {
    ListView_SetItemCountEx(Handle(), count, LVSICF_NOSCROLL);
    Invalidate(false);
  }
}

std::wstring TListView::ItemText(int item, int subItem) const {
  if (item < 0 || item >= ItemCount()) return {};
  std::wstring text(260, L'\0');
  for (;;) {
    LVITEMW lv{};
    lv.iSubItem = subItem;
    lv.pszText = text.data();
    lv.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<size_t>(
        Perform(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), ui::AsLParam(&lv)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

int TListView::ItemStateImage(int item) const {
  return StateImageOf(ListView_GetItemState(Handle(), item, LVIS_STATEIMAGEMASK));
}

void TListView::SetItemStateImage(int item, int image) {
  ListView_SetItemState(Handle(), item, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(image + 1)),
                        LVIS_STATEIMAGEMASK);
}

void TListView::RedrawItems(int first, int last) { ListView_RedrawItems(Handle(), first, last); }

int TListView::SelCount() const { return static_cast<int>(ListView_GetSelectedCount(Handle())); }

bool TListView::Selected(int item) const {
  return (ListView_GetItemState(Handle(), item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetSelected(int item, bool selected) {
  ListView_SetItemState(Handle(), item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void TListView::SetAllSelected(bool selected) {
  // A few selected rows are cleared one by one: the system's clear of all
  // rows walks every row of a large virtual view under Wine.
  constexpr int kFewSelected = 64;
  if (!selected && SelCount() <= kFewSelected) {
    for (int i = NextSelected(0); i >= 0; i = ListView_GetNextItem(Handle(), i, LVNI_SELECTED))
      ListView_SetItemState(Handle(), i, 0, LVIS_SELECTED);
    return;
  }
  ListView_SetItemState(Handle(), -1, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

int TListView::NextSelected(int from) const {
  if (!Handle()) return -1;
  return ListView_GetNextItem(Handle(), from - 1, LVNI_SELECTED);
}

std::vector<int> TListView::SelectedItems() const {
  std::vector<int> items;
  for (int i = NextSelected(0); i >= 0; i = ListView_GetNextItem(Handle(), i, LVNI_SELECTED)) {
    items.push_back(i);
  }
  return items;
}

int TListView::FocusedItem() const {
  if (!Handle()) return -1;
  return ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
}

void TListView::SetFocusedItem(int item) {
  if (item < 0) {
    const int focused = FocusedItem();
    if (focused >= 0) ListView_SetItemState(Handle(), focused, 0, LVIS_FOCUSED);
    return;
  }
  ListView_SetItemState(Handle(), item, LVIS_FOCUSED, LVIS_FOCUSED);
}

void TListView::SetItemIndex(int item) {
  SetAllSelected(false);
  if (item < 0 || item >= ItemCount()) return;
  ListView_SetItemState(Handle(), item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(Handle(), item);
}

void TListView::MakeVisible(int item) { ListView_EnsureVisible(Handle(), item, FALSE); }

int TListView::TopItem() const { return ListView_GetTopIndex(Handle()); }

int TListView::FindCaption(std::wstring_view caption, int from) const {
  if (options_.ownerData) {
    // A virtual view asks its owner to find; compare the shown captions.
    for (int i = std::max(0, from + 1); i < ItemCount(); ++i) {
      const std::wstring text = ItemText(i);
      if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                         static_cast<int>(text.size()), caption.data(),
                         static_cast<int>(caption.size())) == CSTR_EQUAL) {
        return i;
      }
    }
    return -1;
  }
  std::wstring text(caption);
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = text.c_str();
  return ListView_FindItem(Handle(), from, &find);
}

int TListView::ItemAt(int x, int y) const {
  LVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  return ListView_HitTest(Handle(), &hit);
}

void TListView::BeginUpdate() {
  if (updateDepth_++ == 0 && Handle()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && Handle()) {
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
  }
}

void TListView::EditCaption(int item) {
  if (item >= 0) {
    SetFocus();
    ListView_EditLabel(Handle(), item);
  }
}

HWND TListView::EditHandle() const { return ListView_GetEditControl(Handle()); }

void TListView::FillDispInfo(LVITEMW& item) {
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    textBuffer_.clear();
    if (OnGetText) OnGetText(item.iItem, item.iSubItem, textBuffer_);
    const size_t n = std::min(textBuffer_.size(), static_cast<size_t>(item.cchTextMax - 1));
    textBuffer_.copy(item.pszText, n);
    item.pszText[n] = L'\0';
  }
  if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK)) {
    const int image = OnGetStateImage ? OnGetStateImage(item.iItem) : -1;
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                 INDEXTOSTATEIMAGEMASK(static_cast<UINT>(image + 1));
  }
}

bool TListView::OnItemChanged(const NMLISTVIEW& change) {
  if (!(change.uChanged & LVIF_STATE)) return false;
  const UINT changed = change.uOldState ^ change.uNewState;
  if (changed & (LVIS_SELECTED | LVIS_FOCUSED)) {
    if (OnItemChange) OnItemChange(change.iItem);
  }
  if ((changed & LVIS_SELECTED) && OnSelectItem) {
    OnSelectItem(change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
  }
  return true;
}

bool TListView::OnNotify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
      return true;
    case LVN_ITEMCHANGED:
      return OnItemChanged(reinterpret_cast<NMLISTVIEW&>(header));
    case LVN_ODSTATECHANGED: {
      auto& change = reinterpret_cast<NMLVODSTATECHANGE&>(header);
      const UINT changed = change.uOldState ^ change.uNewState;
      if ((changed & (LVIS_SELECTED | LVIS_FOCUSED)) && OnItemChange) OnItemChange(-1);
      if ((changed & LVIS_SELECTED) && OnSelectItem) {
        OnSelectItem(-1, (change.uNewState & LVIS_SELECTED) != 0);
      }
      return true;
    }
    case LVN_BEGINLABELEDITW: {
      const int item = reinterpret_cast<NMLVDISPINFOW&>(header).item.iItem;
      result = (OnEditing && !OnEditing(item)) ? TRUE : FALSE;
      return true;
    }
    case LVN_ENDLABELEDITW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      if (!info.item.pszText) {
        if (OnEditCancel) OnEditCancel(info.item.iItem);
        result = FALSE;
        return true;
      }
      std::wstring text = info.item.pszText;
      const bool accept = !OnEdited || OnEdited(info.item.iItem, text);
      if (accept && text != info.item.pszText) {
        // The handler changed the text: set it ourselves, refuse the edit's.
        SetItemText(info.item.iItem, 0, text);
        result = FALSE;
      } else {
        result = accept ? TRUE : FALSE;
      }
      return true;
    }
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      return true;
    case LVN_BEGINDRAG:
      if (autoDrag_) BeginDrag();
      return true;
    case LVN_COLUMNCLICK:
      if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return true;
    default:
      return false;
  }
}
