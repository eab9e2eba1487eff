// The list itself: adding, finding, sorting, and which setters rescan.
#include <string>

#include "tests/data/scan_fixture.h"

namespace {

class FontListTest : public ScanTest {
 protected:
  // A record no scan would make: it survives exactly until the next scan.
  void Mark(TFontFileList& list) { list.AddFileWithName("Z:\\marker.ttf", "Marker"); }
  static bool Marked(const TFontFileList& list) { return list.Contains("Z:\\MARKER.TTF"); }
};

TEST_F(FontListTest, StartsEmptyInBrowseModeWithoutScanningAndWithoutAFolderListsNothing) {
  TFontFileList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Mode(), flmBrowse);
  EXPECT_EQ(list.Path(), "");
  EXPECT_EQ(list.Collection(), "");
  EXPECT_FALSE(list.InclSubfolders());
  EXPECT_EQ(list.InclSubfoldersDepth(), 3);
  EXPECT_EQ(os.Opens(), 0);

  os.AddFile("C:\\stray.ttf", "x");
  list.Scan();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(FontListTest, AddsEachFaceOnceWhateverItsCaseUntilItsRecordIsCleared) {
  os.AddFile("C:\\F\\a.ttf", "x");
  TFontFileList list;
  list.AddFileWithName("C:\\F\\a.ttf", "Ay");
  list.AddFileWithName("c:\\f\\A.TTF", "Other name");
  list.AddFile("C:\\F\\A.ttf");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0)->FontName(), "Ay");
  EXPECT_TRUE(list.Contains("C:\\f\\a.TTF"));
  EXPECT_FALSE(list.Contains("C:\\F\\b.ttf"));
  EXPECT_FALSE(list.Items(0)->Bodgey()) << "only the installed mode marks records";

  // Another face of the same file is another font; face 0 is the file's own.
  list.AddFileWithName("c:\\F\\a.ttf", "Ay Mono", 1);
  list.AddFileWithName("C:\\F\\A.TTF", "Ay Mono again", 1);
  list.AddFileWithName("C:\\F\\A.TTF", "Ay again", 0);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1)->FontName(), "Ay Mono");
  EXPECT_EQ(list.Items(1)->FaceIndex(), 1u);
  EXPECT_TRUE(list.Contains("C:\\F\\a.ttf", 1));
  EXPECT_FALSE(list.Contains("C:\\F\\a.ttf", 2));
  EXPECT_FALSE(SameListedFont(list.Items(0)->Snapshot(), list.Items(1)->Snapshot()));

  list.Items(0)->Clear();  // what a successful delete leaves
  EXPECT_FALSE(list.Contains("C:\\F\\a.ttf"));
  EXPECT_TRUE(list.Contains("C:\\F\\a.ttf", 1));
  list.AddFileWithName("C:\\F\\a.ttf", "Ay again");
  EXPECT_EQ(list.Count(), 3);
  list.Reindex();
  EXPECT_TRUE(list.Contains("C:\\F\\a.ttf", 1));
}

TEST_F(FontListTest, InstalledModeMarksFilesAddedByHandThatAreNotInstalled) {
  Install("Known", "known.ttf");
  TFontFileList list;
  list.SetMode(flmInstalled);
  list.AddFileWithName("C:\\Windows\\Fonts\\known.ttf", "Known");  // already listed
  list.AddFileWithName("C:\\Other\\stray.ttf", "Stray");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_FALSE(list.Items(0)->Bodgey());
  EXPECT_TRUE(list.Items(1)->Bodgey());
}

TEST_F(FontListTest, SortsByNameIgnoringAsciiCaseOnly) {
  TFontFileList list;
  const Strings names = {"beta", "Alpha", "\xD6\xD0\xCE\xC4", "GAMMA", "alpha 2", "Zeta", "_under"};
  for (size_t i = 0; i < names.size(); ++i) {
    list.AddFileWithName("C:\\F\\" + std::to_string(i) + ".ttf", names[i]);
  }
  list.Sort();
  EXPECT_EQ(Names(list),
            (Strings{"Alpha", "alpha 2", "beta", "GAMMA", "Zeta", "_under", "\xD6\xD0\xCE\xC4"}));
}

TEST_F(FontListTest, InstalledModeResetsSubfoldersAndPathAndScansOnlyOnAModeChange) {
  TFontFileList list;
  list.SetInclSubfolders(true);
  list.SetPath("C:\\Mine");
  list.SetMode(flmInstalled);
  EXPECT_FALSE(list.InclSubfolders());
  EXPECT_EQ(list.Path(), kFontsDir);

  Mark(list);
  list.SetMode(flmInstalled);
  EXPECT_TRUE(Marked(list));
  list.SetPath("C:\\Elsewhere\\");
  EXPECT_EQ(list.Path(), kFontsDir);
  EXPECT_TRUE(Marked(list));
  list.SetInclSubfolders(true);
  EXPECT_FALSE(list.InclSubfolders());
  EXPECT_TRUE(Marked(list));

  list.SetMode(flmBrowse);
  EXPECT_FALSE(Marked(list));
}

TEST_F(FontListTest, BrowseSettersScanOnChangeIgnoringCaseAndTrailingBackslashDepthNever) {
  os.AddDirectory("C:\\Mine");
  TFontFileList list;
  list.SetPath("C:\\Mine");
  EXPECT_EQ(list.Path(), "C:\\Mine\\");
  Mark(list);
  list.SetPath("c:\\MINE\\");
  EXPECT_TRUE(Marked(list));
  EXPECT_EQ(list.Path(), "C:\\Mine\\");
  list.SetInclSubfolders(false);
  list.SetInclSubfoldersDepth(7);
  EXPECT_TRUE(Marked(list));
  EXPECT_EQ(list.InclSubfoldersDepth(), 7);
  list.SetInclSubfolders(true);
  EXPECT_FALSE(Marked(list));

  Mark(list);
  list.SetPath("C:\\");
  EXPECT_FALSE(Marked(list));
}

TEST_F(FontListTest, CollectionNameIsDroppedOutsideCollectionMode) {
  TFontFileList list;
  list.SetCollection("Mine");
  EXPECT_EQ(list.Collection(), "");
  list.SetMode(flmCollection);
  EXPECT_EQ(list.Collection(), "");

  list.SetCollection("  Mine\t");
  EXPECT_EQ(list.Collection(), "Mine");
  Mark(list);
  list.SetCollection("MINE");
  EXPECT_TRUE(Marked(list));
  list.SetInclSubfolders(true);
  EXPECT_FALSE(list.InclSubfolders());
  EXPECT_TRUE(Marked(list));
}

}  // namespace
