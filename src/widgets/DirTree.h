// TVxDirTree: the drives and folders of the machine as a tree, filled as the
// user opens it. Every folder it reports is a full path in upper case ending
// in "\" ("C:\" for a drive), in the ANSI code page like all data paths.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Panel.h"
#include "ui/TreeView.h"

class TVxDirTree : public TCompPanel {
 public:
  // Filled at once and opened at C:\ (or the first drive).
  explicit TVxDirTree(TControl& parent);

  TTreeView& Tree() { return tree_; }

  // The selected folder, empty when none.
  std::string Directory() const;
  // Opens the tree down to the folder and selects it; a path that does not
  // exist selects its deepest existing folder. False when the whole path was
  // not found. OnChange runs when the selection moves.
  bool SetDirectory(std::string_view path);
  // Reads drives and folders again, keeping the selected folder when it is
  // still there; runs no OnChange.
  void Refresh();
  // The folder of the node at a point of this widget's client area (where a
  // drop on it reports), or empty.
  std::string FolderAt(TPoint pt) const;

  // The selected folder changed.
  std::function<void()> OnChange;

  // Folder names of a path in upper case as the tree reports them: ASCII
  // letters only, so that double-byte characters stay intact.
  static std::string UpperPath(std::string_view path);

 private:
  void FillDrives();
  void FillChildren(HTREEITEM node);
  std::string NodePath(HTREEITEM node) const;
  HTREEITEM FindChild(HTREEITEM parent, std::string_view upperName);
  HTREEITEM AddMissingChild(HTREEITEM parent, std::string_view upperName);
  std::vector<std::string> SubfolderNames(const std::string& folder) const;

  TTreeView tree_;
  TScopeCount quiet_;
};
