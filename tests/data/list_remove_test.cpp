// Taking records out of a font file list: the list and its name index must
// stay in step.
#include "tests/data/scan_fixture.h"

namespace {

class ListRemoveTest : public ScanTest {
 protected:
  ListRemoveTest() {
    os.SetDrives({"C:\\", "D:\\"});
    // Named in file order, so that the sorted list is in file order too.
    for (const char* name : {"a", "b", "c", "d"})
      AddFont(std::string("D:\\F\\") + name + ".ttf", name);
    list.SetPath("D:\\F");
  }
  TFontFileInfo* Record(const char* file) {
    for (int i = 0; i < list.Count(); ++i)
      if (list.Items(i)->FileName() == file) return list.Items(i);
    return nullptr;
  }

  TFontFileList list;
};

TEST_F(ListRemoveTest, RemovedRecordsLeaveTheListAndItsIndex) {
  ASSERT_EQ(list.Count(), 4);
  TFontFileInfo* b = Record("D:\\F\\b.ttf");
  TFontFileInfo* d = Record("D:\\F\\d.ttf");
  TFontFileInfo stranger;
  EXPECT_EQ(list.Remove({b, d, &stranger}), 2) << "a record of no list is passed over";
  EXPECT_EQ(Files(list), (Strings{"D:\\F\\a.ttf", "D:\\F\\c.ttf"}));
  EXPECT_FALSE(list.Contains("D:\\F\\B.TTF"));
  EXPECT_TRUE(list.Contains("d:\\f\\C.TTF"));

  list.AddFile("D:\\F\\b.ttf");  // listed again once gone
  EXPECT_EQ(list.Count(), 3);
  EXPECT_FALSE(list.Remove(&stranger));
  EXPECT_TRUE(list.Delete(0));
  EXPECT_FALSE(list.Delete(2));
  EXPECT_FALSE(list.Delete(-1));
  EXPECT_EQ(Files(list), (Strings{"D:\\F\\c.ttf", "D:\\F\\b.ttf"})) << "added at the end";
}

TEST_F(ListRemoveTest, ARecordRenamedOrClearedIsStillFoundByItself) {
  TFontFileInfo* a = Record("D:\\F\\a.ttf");
  TFontFileInfo* c = Record("D:\\F\\c.ttf");
  c->SetFileNameAndName("D:\\F\\moved.ttf", "Moved");  // not reindexed
  a->Clear();
  EXPECT_EQ(list.Remove({a, c}), 2);
  EXPECT_EQ(Files(list), (Strings{"D:\\F\\b.ttf", "D:\\F\\d.ttf"}));
  // Neither the old nor the new name counts as listed any longer.
  EXPECT_FALSE(list.Contains("D:\\F\\c.ttf"));
  list.AddFile("D:\\F\\moved.ttf");
  list.AddFile("D:\\F\\c.ttf");
  EXPECT_EQ(list.Count(), 4);
}

}  // namespace
