#include "widgets/DirTree.h"

#include <algorithm>

#include "sys/PathText.h"
#include "sys/codepage.h"
#include "sys/sys.h"

namespace {

// Node data: drives are marked so that their caption ("C:") is not a name.
constexpr LPARAM kFolderNode = 0;
constexpr LPARAM kDriveNode = 1;
// Nodes whose children are not read yet carry this before their first expansion.
constexpr LPARAM kUnreadFlag = 2;

std::string LowerAscii(std::string_view text) {
  std::wstring wide = sys::Widen(text);
  for (wchar_t& c : wide) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return sys::Narrow(wide);
}

// Below a recycle-bin folder nothing is shown; the folder itself is.
bool InsideRecycleBin(std::string_view folder) {
  const std::string lower = LowerAscii(folder);
  return lower.find("\\recycled\\") != std::string::npos ||
         lower.find("\\recycler\\") != std::string::npos;
}

}  // namespace

std::string TVxDirTree::UpperPath(std::string_view path) {
  std::string upper = sys::UpperAscii(path);
  // A "/" is never the second byte of a double-byte character.
  std::replace(upper.begin(), upper.end(), '/', '\\');
  return upper;
}

TVxDirTree::TVxDirTree(TControl& parent) : TCompPanel(parent), tree_(*this) {
  tree_.SetAlign(alClient);
  SetMainChild(&tree_);
  tree_.OnExpanding = [this](HTREEITEM node, bool&) { FillChildren(node); };
  tree_.OnChange = [this](HTREEITEM) {
    if (!quiet_.Active() && OnChange) OnChange();
  };
  FillDrives();
  const auto quiet = quiet_.Hold();
  if (!SetDirectory("C:\\")) {
    if (HTREEITEM first = tree_.FirstChild(nullptr)) tree_.Select(first);
  }
}

std::vector<std::string> TVxDirTree::SubfolderNames(const std::string& folder) const {
  std::vector<std::string> names;
  if (InsideRecycleBin(folder)) return names;
  std::vector<sys::FindEntry> entries;
  sys::Current().FindFiles(folder + "*", entries);
  for (const sys::FindEntry& entry : entries) {
    if (entry.IsDirectory() && entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  std::vector<std::pair<std::wstring, std::string>> keyed;
  for (std::string& name : names) keyed.emplace_back(sys::Widen(name), std::move(name));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.first.c_str(), -1,
                          b.first.c_str(), -1) == CSTR_LESS_THAN;
  });
  names.clear();
  for (auto& entry : keyed) names.push_back(std::move(entry.second));
  return names;
}

void TVxDirTree::FillDrives() {
  const TUpdateScope<TTreeView> update(tree_);
  for (const std::string& root : sys::Current().LogicalDrives()) {
    std::string caption = UpperPath(root);
    if (!caption.empty() && caption.back() == '\\') caption.pop_back();
    tree_.AddNode(nullptr, sys::Widen(caption), kDriveNode | kUnreadFlag, true);
  }
}

void TVxDirTree::FillChildren(HTREEITEM node) {
  const LPARAM data = tree_.NodeData(node);
  if (!(data & kUnreadFlag)) return;
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = node;
  item.lParam = data & ~kUnreadFlag;
  TreeView_SetItem(tree_.Handle(), &item);
  const std::vector<std::string> names = SubfolderNames(NodePath(node));
  const TUpdateScope<TTreeView> update(tree_);
  for (const std::string& name : names) {
    tree_.AddNode(node, sys::Widen(name), kFolderNode | kUnreadFlag, true);
  }
  if (names.empty()) tree_.SetHasChildren(node, false);
}

std::string TVxDirTree::NodePath(HTREEITEM node) const {
  std::vector<std::string> parts;
  for (HTREEITEM n = node; n; n = tree_.NodeParent(n)) parts.push_back(sys::Narrow(tree_.NodeText(n)));
  std::string path;
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) path += *it + "\\";
  return UpperPath(path);
}

std::string TVxDirTree::Directory() const {
  HTREEITEM selected = tree_.Selected();
  return selected ? NodePath(selected) : std::string();
}

std::string TVxDirTree::FolderAt(TPoint pt) const {
  POINT inTree{pt.x, pt.y};
  MapWindowPoints(Handle(), tree_.Handle(), &inTree, 1);
  HTREEITEM node = tree_.NodeAt(inTree.x, inTree.y);
  return node ? NodePath(node) : std::string();
}

HTREEITEM TVxDirTree::FindChild(HTREEITEM parent, std::string_view upperName) {
  if (parent) FillChildren(parent);
  for (HTREEITEM child = tree_.FirstChild(parent); child; child = tree_.NextSibling(child)) {
    if (UpperPath(sys::Narrow(tree_.NodeText(child))) == upperName) return child;
  }
  return nullptr;
}

HTREEITEM TVxDirTree::AddMissingChild(HTREEITEM parent, std::string_view upperName) {
  for (const std::string& name : SubfolderNames(NodePath(parent))) {
    if (UpperPath(name) != upperName) continue;
    tree_.SetHasChildren(parent, true);
    return tree_.AddNode(parent, sys::Widen(name), kFolderNode | kUnreadFlag, true);
  }
  return nullptr;
}

bool TVxDirTree::SetDirectory(std::string_view path) {
  const std::string upper = UpperPath(path);
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < upper.size()) {
    size_t end = upper.find('\\', start);
    if (end == std::string::npos) end = upper.size();
    if (end > start) parts.push_back(upper.substr(start, end - start));
    start = end + 1;
  }
  if (parts.empty()) return false;
  HTREEITEM node = nullptr;
  bool complete = true;
  for (const std::string& part : parts) {
    HTREEITEM child = FindChild(node, part);
    // A folder made since its parent was read: the tree learns of it now.
    if (!child && node) child = AddMissingChild(node, part);
    if (!child) {
      complete = false;
      break;
    }
    node = child;
  }
  if (!node) return false;
  if (HTREEITEM parent = tree_.NodeParent(node)) tree_.Expand(parent);
  tree_.Select(node);
  return complete;
}

void TVxDirTree::Refresh() {
  const std::string selected = Directory();
  const auto quiet = quiet_.Hold();
  const TUpdateScope<TTreeView> update(tree_);
  tree_.Clear();
  FillDrives();
  if (selected.empty() || !SetDirectory(selected)) {
    if (!SetDirectory(selected.empty() ? "C:\\" : selected)) {
      if (HTREEITEM first = tree_.FirstChild(nullptr)) tree_.Select(first);
    }
  }
}
