#include "widgets/DirTree.h"

#include <gtest/gtest.h>

#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "TestWindow.h"

namespace {

class DirTreeTest : public ::testing::Test {
 protected:
  DirTreeTest() : scoped_(memory_) {
    memory_.SetDrives({"C:\\", "D:\\"});
    memory_.AddDirectory("C:\\Fonts");
    memory_.AddDirectory("C:\\Fonts\\Old");
    memory_.AddDirectory("C:\\apps");
    memory_.AddDirectory("C:\\Recycler\\S-1-5\\inner");
    memory_.AddFile("C:\\Fonts\\a.ttf", "x");
    memory_.AddDirectory(sys::Narrow(L"D:\\字体"));
  }
  sys::MemoryBackend memory_;
  sys::ScopedBackend scoped_;
  TTestWindow form_;
};

TEST_F(DirTreeTest, StartsAtDriveCReportsUpperCasePathsAndFallsBackToTheDeepestExistingParent) {
  TVxDirTree tree(form_);
  EXPECT_EQ(tree.Directory(), "C:\\");
  int changes = 0;
  tree.OnChange = [&] { ++changes; };
  EXPECT_TRUE(tree.SetDirectory("c:\\fonts\\old"));
  EXPECT_EQ(tree.Directory(), "C:\\FONTS\\OLD\\");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(tree.SetDirectory("C:\\FONTS\\OLD\\"));  // already there
  EXPECT_EQ(changes, 1);

  EXPECT_FALSE(tree.SetDirectory("C:\\Fonts\\Nowhere\\Deeper"));
  EXPECT_EQ(tree.Directory(), "C:\\FONTS\\");
  EXPECT_FALSE(tree.SetDirectory("Q:\\"));
  EXPECT_EQ(tree.Directory(), "C:\\FONTS\\");
  EXPECT_FALSE(tree.SetDirectory(""));

  // Double-byte names keep their bytes.
  const std::string folder = sys::Narrow(L"D:\\字体\\");
  EXPECT_TRUE(tree.SetDirectory(folder));
  EXPECT_EQ(tree.Directory(), folder);
  EXPECT_EQ(TVxDirTree::UpperPath(sys::Narrow(L"c:\\abc字体")), sys::Narrow(L"C:\\ABC字体"));
}

TEST_F(DirTreeTest, FoldersAreListedSortedWithoutFilesOrWhatIsBelowARecycleBinAndRefreshIsQuiet) {
  TVxDirTree tree(form_);
  ASSERT_TRUE(tree.SetDirectory("C:\\"));
  TTreeView& view = tree.Tree();
  HTREEITEM drive = view.Selected();
  view.Expand(drive);
  std::vector<std::wstring> names;
  for (HTREEITEM n = view.FirstChild(drive); n; n = view.NextSibling(n)) names.push_back(view.NodeText(n));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"apps", L"Fonts", L"Recycler"}));

  EXPECT_TRUE(tree.SetDirectory("C:\\RECYCLER\\"));
  EXPECT_FALSE(tree.SetDirectory("C:\\RECYCLER\\S-1-5\\"));
  EXPECT_EQ(tree.Directory(), "C:\\RECYCLER\\");

  ASSERT_TRUE(tree.SetDirectory("C:\\FONTS\\"));
  memory_.AddDirectory("C:\\Fonts\\New");
  int changes = 0;
  tree.OnChange = [&] { ++changes; };
  tree.Refresh();
  EXPECT_EQ(tree.Directory(), "C:\\FONTS\\");
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(tree.SetDirectory("C:\\FONTS\\NEW\\"));
}

}  // namespace
