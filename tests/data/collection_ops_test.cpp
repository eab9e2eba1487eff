// Creating, renaming and deleting collection files, and rewriting the
// references to a font file that got a new name.
#include <algorithm>
#include <string>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "tests/data/scan_fixture.h"

namespace {

constexpr const char* kDir = "C:\\Coll\\";

class CollectionOpsTest : public ScanTest {
 protected:
  CollectionOpsTest() { os.AddDirectory("C:\\Coll"); }
};

TEST_F(CollectionOpsTest, CreateMakesAnEmptyFileAndRefusesAnExistingOneOrAPath) {
  ASSERT_TRUE(CreateCollection(kDir, "New"));
  EXPECT_TRUE(os.HasFile("C:\\Coll\\New.VLM"));
  EXPECT_EQ(os.FileContent("C:\\Coll\\New.VLM"), "");
  TFontFileList list;
  EXPECT_TRUE(list.LoadCollection("C:\\Coll\\New.VLM"));
  EXPECT_EQ(list.Count(), 0);

  os.AddFile("C:\\Coll\\Kept.VLM", "\"A\",\"C:\\a.ttf\"\r\n");
  os.SetLastError(0);
  EXPECT_FALSE(CreateCollection(kDir, "kept"));
  EXPECT_EQ(os.LastError(), 183u);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Kept.VLM"), "\"A\",\"C:\\a.ttf\"\r\n");
  EXPECT_FALSE(SysErrorText().empty());

  for (const char* name : {"", "..\\Outside", "Sub\\Name", "D:Name", "a/b"}) {
    EXPECT_FALSE(CreateCollection(kDir, name)) << name;
  }
  EXPECT_TRUE(os.FilesIn("C:\\").empty());
  EXPECT_EQ(os.FilesIn("C:\\Coll"), (Strings{"C:\\Coll\\Kept.VLM", "C:\\Coll\\New.VLM"}));
}

// A backend whose test for a file always comes too early: the file turns up
// right after it.
class LateFilesBackend : public sys::MemoryBackend {
 public:
  bool FileExists(std::string_view) override { return false; }
};

TEST(CollectionCreate, AFileThatTurnsUpMeanwhileIsNeverTruncated) {
  LateFilesBackend os;
  sys::ScopedBackend guard(os);
  os.AddFile("C:\\Coll\\Taken.VLM", "\"A\",\"C:\\a.ttf\"\r\n");
  os.SetLastError(0);
  EXPECT_FALSE(CreateCollection(kDir, "Taken"));
  EXPECT_EQ(os.LastError(), 183u);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Taken.VLM"), "\"A\",\"C:\\a.ttf\"\r\n");
}

TEST_F(CollectionOpsTest, RenameGoesThroughTheShellWithUndoDeleteRecyclesUnlessShiftIsHeld) {
  os.AddFile("C:\\Coll\\Old.VLM", "");
  RenameCollection(kDir, "Old", "New");
  ASSERT_EQ(os.ShellOps().size(), 1u);
  EXPECT_EQ(os.ShellOps()[0].op, 4u);
  EXPECT_EQ(os.ShellOps()[0].flags, 0x40);
  EXPECT_EQ(os.ShellOps()[0].from, (Strings{"C:\\Coll\\Old.VLM"}));
  EXPECT_EQ(os.ShellOps()[0].to, (Strings{"C:\\Coll\\New.VLM"}));

  os.AddFile("C:\\Coll\\Hard.VLM", "");
  DeleteCollection(kDir, "New", false);
  ASSERT_EQ(os.ShellOps().size(), 2u);
  EXPECT_EQ(os.ShellOps()[1].op, 3u);
  EXPECT_EQ(os.ShellOps()[1].flags, 0x50);
  EXPECT_EQ(os.RecycleBin(), (Strings{"C:\\Coll\\New.VLM"}));

  DeleteCollection(kDir, "Hard", true);
  EXPECT_EQ(os.ShellOps().size(), 2u);
  EXPECT_FALSE(os.HasFile("C:\\Coll\\Hard.VLM"));
  EXPECT_EQ(os.RecycleBin().size(), 1u);
}

TEST_F(CollectionOpsTest, ListingGivesTheCollectionFilesOfTheFolderItselfEachNameItsOwnFile) {
  os.AddFile("C:\\Coll\\One.VLM", "");
  os.AddFile("C:\\Coll\\two.vlm", "", sys::kAttrHidden | sys::kAttrReadOnly);
  os.AddFile("C:\\Coll\\Notes.TXT", "");
  os.AddDirectory("C:\\Coll\\Folder.VLM");
  os.AddFile("C:\\Coll\\Sub\\Deep.VLM", "");
  os.AddFile("C:\\Coll\\x.VLM", "\"Ex\",\"C:\\F\\x.ttf\"\r\n");
  os.AddFile("C:\\Coll\\x.VLM.VLM", "\"Double\",\"C:\\F\\d.ttf\"\r\n");
  Strings names = ListCollectionNames("C:\\Coll");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Strings{"One", "two", "x", "x.VLM"})) << "exactly one extension goes";

  // Each listed name reads and deletes its own file.
  TFontFileList list;
  OpenCollection(list, kDir, "x.VLM");
  EXPECT_EQ(Names(list), (Strings{"Double"}));
  OpenCollection(list, kDir, "x");
  EXPECT_EQ(Names(list), (Strings{"Ex"}));
  DeleteCollection(kDir, "x.VLM", true);
  EXPECT_FALSE(os.HasFile("C:\\Coll\\x.VLM.VLM"));
  EXPECT_TRUE(os.HasFile("C:\\Coll\\x.VLM"));
  EXPECT_TRUE(ListCollectionNames("C:\\Missing\\").empty());
  os.AddFile("C:\\Stray.VLM", "");
  EXPECT_TRUE(ListCollectionNames("").empty()) << "no folder is not the current folder";
}

TEST_F(CollectionOpsTest, NamesWithAFolderPartOrAWildcardTouchNoFile) {
  os.AddFile("C:\\Coll\\Keep.VLM", "");
  os.AddFile("C:\\Outside.VLM", "");
  for (const char* name : {"*", "..\\Outside", "K?ep", "   ", "..", "a|b"}) {
    EXPECT_FALSE(IsCollectionName(name)) << name;
    DeleteCollection(kDir, name, true);
    DeleteCollection(kDir, name, false);
    RenameCollection(kDir, "Keep", name);
    RenameCollection(kDir, name, "New");
  }
  EXPECT_TRUE(os.ShellOps().empty());
  EXPECT_TRUE(os.HasFile("C:\\Coll\\Keep.VLM"));
  EXPECT_TRUE(os.HasFile("C:\\Outside.VLM"));
  EXPECT_FALSE(IsCollectionName("a\\b"));
  // 0x81 0x5C and 0x81 0x7C are single characters in code page 936.
  EXPECT_TRUE(IsCollectionName("\x81\x5C\x81\x7C"));
}

class RewriteTest : public CollectionOpsTest {
 protected:
  RewriteTest() {
    os.AddFile("C:\\Coll\\One.VLM", kOne);
    os.AddFile("C:\\Coll\\Two.VLM", kTwo);
    os.AddFile("C:\\Coll\\Three.VLM", kThree, sys::kAttrHidden);
    os.AddFile("C:\\Coll\\Other.VLM", kOther);
    os.AddFile("C:\\Coll\\Loose.VLM", kLoose);
    os.AddFile("C:\\Coll\\Notes.TXT", kOne);
    os.AddFile("C:\\Coll\\Sub\\Deep.VLM", kOne);
  }
  static constexpr const char* kOne = "\"Old\",\"C:\\F\\old.ttf\"\r\n";
  static constexpr const char* kTwo = "\"Ay\",\"C:\\F\\a.ttf\"\r\n\"Old\",\"c:\\f\\OLD.TTF\"\r\n";
  // Loose form, no line end at the end; rewritten in the written form.
  static constexpr const char* kThree = "Old,C:\\F\\old.ttf\n\"Bee\" , \"C:\\F\\b.ttf\"";
  static constexpr const char* kOther = "\"Old\",\"C:\\F\\old.ttf.bak\"\r\n";
  // Does not refer to the file: stays exactly as it is, loose form and all.
  static constexpr const char* kLoose = "Ay,C:\\F\\a.ttf\n\n\"Bee\" ,\"C:\\F\\b.ttf\"";
};

TEST_F(RewriteTest, RewritesExactlyTheCollectionsThatListTheFile) {
  RewriteCollectionReferences(kDir, "C:\\F\\OLD.ttf", "C:\\F\\New.ttf");

  const std::string renamed = "\"Old\",\"C:\\F\\New.ttf\"\r\n";
  EXPECT_EQ(os.FileContent("C:\\Coll\\One.VLM"), renamed);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Two.VLM"), "\"Ay\",\"C:\\F\\a.ttf\"\r\n" + renamed);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Three.VLM"),
            "\"Old\",\"C:\\F\\New.ttf\"\r\n\"Bee\",\"C:\\F\\b.ttf\"\r\n");
  EXPECT_EQ(os.FileContent("C:\\Coll\\Other.VLM"), kOther);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Loose.VLM"), kLoose);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Notes.TXT"), kOne);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Sub\\Deep.VLM"), kOne);
  EXPECT_EQ(os.FilesIn("C:\\Coll").size(), 6u) << "no temporary file left";
}

TEST_F(RewriteTest, AFileThatFailsIsSkippedAndKept) {
  os.LockFile("C:\\Coll\\One.VLM");
  os.FailMove("C:\\Coll\\Two.VLM");
  RewriteCollectionReferences(kDir, "C:\\F\\old.ttf", "C:\\F\\new.ttf");
  EXPECT_EQ(os.FileContent("C:\\Coll\\One.VLM"), kOne);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Two.VLM"), kTwo);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Three.VLM"),
            "\"Old\",\"C:\\F\\new.ttf\"\r\n\"Bee\",\"C:\\F\\b.ttf\"\r\n");
  EXPECT_EQ(os.FilesIn("C:\\Coll").size(), 6u);
}

TEST_F(RewriteTest, FolderRefusingWritesChangesNothing) {
  os.FailWritesIn("C:\\Coll");
  RewriteCollectionReferences(kDir, "C:\\F\\old.ttf", "C:\\F\\new.ttf");
  EXPECT_EQ(os.FileContent("C:\\Coll\\One.VLM"), kOne);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Two.VLM"), kTwo);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Three.VLM"), kThree);
  EXPECT_EQ(os.FilesIn("C:\\Coll").size(), 6u);
}

}  // namespace
