// A tree view of text nodes, each carrying a number of the owner's.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/Control.h"

class TTreeView : public TControl {
 public:
  explicit TTreeView(TControl& parent);

  // `hasChildren` shows an expand button before the children are added.
  HTREEITEM AddNode(HTREEITEM parent, std::wstring_view caption, LPARAM data = 0,
                    bool hasChildren = false);
  void DeleteNode(HTREEITEM node);
  void DeleteChildren(HTREEITEM node);
  void Clear();

  std::wstring NodeText(HTREEITEM node) const;
  LPARAM NodeData(HTREEITEM node) const;
  void SetHasChildren(HTREEITEM node, bool hasChildren);
  HTREEITEM NodeParent(HTREEITEM node) const;
  HTREEITEM FirstChild(HTREEITEM node) const;  // null node: the first root
  HTREEITEM NextSibling(HTREEITEM node) const;
  bool Expanded(HTREEITEM node) const;
  void Expand(HTREEITEM node);
  void Collapse(HTREEITEM node);

  HTREEITEM Selected() const;
  // Selects and shows the node; OnChange runs when the selection moves.
  void Select(HTREEITEM node);
  HTREEITEM NodeAt(int x, int y) const;

  void BeginUpdate();
  void EndUpdate();

  // The selection moved to `node` (null: nothing selected).
  std::function<void(HTREEITEM node)> OnChange;
  // A node is about to show its children; set `allow` false to refuse.
  std::function<void(HTREEITEM node, bool& allow)> OnExpanding;

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override;

 private:
  int updateDepth_ = 0;
};
