#include "ui/TreeView.h"
#include "ui/Dpi.h"

TTreeView::TTreeView(TControl& parent) : TControl(&parent) {
  CreateParams params;
  params.className = WC_TREEVIEWW;
  params.style |= WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.width = ui::TScale(*this)(150);
  params.height = ui::TScale(*this)(100);
  CreateSystemWindow(params);
}

HTREEITEM TTreeView::AddNode(HTREEITEM parent, std::wstring_view caption, LPARAM data,
                             bool hasChildren) {
  std::wstring text(caption);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.lParam = data;
  insert.item.cChildren = hasChildren ? 1 : 0;
  HTREEITEM node = TreeView_InsertItem(Handle(), &insert);
  if (parent) SetHasChildren(parent, true);
  return node;
}

void TTreeView::DeleteNode(HTREEITEM node) {
  if (node) TreeView_DeleteItem(Handle(), node);
}

void TTreeView::DeleteChildren(HTREEITEM node) {
  for (HTREEITEM child = FirstChild(node); child;) {
    HTREEITEM next = NextSibling(child);
    TreeView_DeleteItem(Handle(), child);
    child = next;
  }
}

void TTreeView::Clear() { TreeView_DeleteAllItems(Handle()); }

std::wstring TTreeView::NodeText(HTREEITEM node) const {
  if (!node) return {};
  wchar_t buffer[MAX_PATH + 1] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = buffer;
  item.cchTextMax = MAX_PATH;
  return TreeView_GetItem(Handle(), &item) ? std::wstring(buffer) : std::wstring();
}

LPARAM TTreeView::NodeData(HTREEITEM node) const {
  if (!node) return 0;
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = node;
  return TreeView_GetItem(Handle(), &item) ? item.lParam : 0;
}

void TTreeView::SetHasChildren(HTREEITEM node, bool hasChildren) {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = node;
  item.cChildren = hasChildren ? 1 : 0;
  TreeView_SetItem(Handle(), &item);
}

HTREEITEM TTreeView::NodeParent(HTREEITEM node) const { return TreeView_GetParent(Handle(), node); }

HTREEITEM TTreeView::FirstChild(HTREEITEM node) const {
  return node ? TreeView_GetChild(Handle(), node) : TreeView_GetRoot(Handle());
}

HTREEITEM TTreeView::NextSibling(HTREEITEM node) const {
  return TreeView_GetNextSibling(Handle(), node);
}

bool TTreeView::Expanded(HTREEITEM node) const {
  return (TreeView_GetItemState(Handle(), node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeView::Expand(HTREEITEM node) { TreeView_Expand(Handle(), node, TVE_EXPAND); }
void TTreeView::Collapse(HTREEITEM node) { TreeView_Expand(Handle(), node, TVE_COLLAPSE); }

HTREEITEM TTreeView::Selected() const {
  return Handle() ? TreeView_GetSelection(Handle()) : nullptr;
}

void TTreeView::Select(HTREEITEM node) {
  TreeView_SelectItem(Handle(), node);
  if (node) TreeView_EnsureVisible(Handle(), node);
}

HTREEITEM TTreeView::NodeAt(int x, int y) const {
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  return TreeView_HitTest(Handle(), &hit);
}

void TTreeView::BeginUpdate() {
  if (updateDepth_++ == 0) Perform(WM_SETREDRAW, FALSE);
}

void TTreeView::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) {
    Perform(WM_SETREDRAW, TRUE);
    Invalidate();
  }
}

bool TTreeView::OnNotify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case TVN_SELCHANGEDW:
      if (OnChange) OnChange(reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem);
      return true;
    case TVN_ITEMEXPANDINGW: {
      auto& info = reinterpret_cast<NMTREEVIEWW&>(header);
      bool allow = true;
      if ((info.action & TVE_EXPAND) && OnExpanding) OnExpanding(info.itemNew.hItem, allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    default:
      return false;
  }
}
