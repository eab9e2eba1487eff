// Reading and writing collection files through a font file list.
#include <string>

#include "data/Collections.h"
#include "tests/data/scan_fixture.h"

namespace {

constexpr const char* kColl = "C:\\Coll\\Mine.VLM";

class CollectionFileTest : public ScanTest {
 protected:
  CollectionFileTest() {
    os.AddFile("C:\\F\\a.ttf", "x");
    os.AddFile("C:\\F\\b.ttf", "x");
    os.AddDirectory("C:\\Coll");
  }
  bool Load(const std::string& content) {
    os.AddFile(kColl, content);
    return list.LoadCollection(kColl);
  }

  TFontFileList list;
};

TEST_F(CollectionFileTest, SaveWritesQuotedLinesAndLoadReadsThemBack) {
  list.AddFileWithName("C:\\F\\b.ttf", "Bee, Bold");
  list.AddFileWithName("C:\\F\\a.ttf", "Ay");
  ASSERT_TRUE(list.SaveCollection(kColl));
  const std::string written = "\"Bee, Bold\",\"C:\\F\\b.ttf\"\r\n\"Ay\",\"C:\\F\\a.ttf\"\r\n";
  EXPECT_EQ(os.FileContent(kColl), written);
  EXPECT_EQ(os.FilesIn("C:\\Coll"), (Strings{kColl}));

  TFontFileList again;
  const int opens = os.Opens();
  ASSERT_TRUE(again.LoadCollection(kColl));
  EXPECT_EQ(Names(again), (Strings{"Bee, Bold", "Ay"})) << "names come from the file, unsorted";
  EXPECT_EQ(Files(again), (Strings{"C:\\F\\b.ttf", "C:\\F\\a.ttf"}));
  EXPECT_EQ(os.Opens(), opens + 1) << "short names open no font file";
  ASSERT_TRUE(again.SaveCollection("C:\\Coll\\Copy.VLM"));
  EXPECT_EQ(os.FileContent("C:\\Coll\\Copy.VLM"), written);

  // Names as fonts may hold them: every line reads back to its name and path.
  os.AddFile("C:\\F\\c.ttf", "x");
  TFontFileList odd;
  odd.AddFileWithName("C:\\F\\a.ttf", "Say \"Hi\", there");
  odd.AddFileWithName("C:\\F\\b.ttf", "Two\r\nLines\r");
  odd.AddFileWithName("C:\\F\\c.ttf", "Cut\"");
  ASSERT_TRUE(odd.SaveCollection(kColl));
  ASSERT_TRUE(again.LoadCollection(kColl));
  EXPECT_EQ(Names(again), (Strings{"Say 'Hi', there", "Two  Lines ", "Cut'"}));
  EXPECT_EQ(Files(again), (Strings{"C:\\F\\a.ttf", "C:\\F\\b.ttf", "C:\\F\\c.ttf"}));
}

TEST_F(CollectionFileTest, ReaderAcceptsLooseLines) {
  ASSERT_TRUE(Load("Ay,C:\\F\\a.ttf\r\n"
                   "\"Bee\" ,  \"C:\\F\\b.ttf\"  \n"
                   "\r\n"
                   "\"Ay twice\",\"c:\\f\\A.TTF\"\r"
                   "\"Cut\"here\",\"C:\\F\\x.ttf\"\r\n"
                   "\"Say \"Hi, there\",\"C:\\F\\a.ttf\"\r\n"  // a quote inside misreads the path
                   "Lonely"));
  EXPECT_EQ(Names(list), (Strings{"Ay", "Bee", "Cut", "Say ", "Lonely"}));
  EXPECT_EQ(Files(list), (Strings{"C:\\F\\a.ttf", "C:\\F\\b.ttf", "C:\\F\\x.ttf", "there\"", ""}));
  EXPECT_FALSE(list.Items(1)->Bad());
  EXPECT_TRUE(list.Items(2)->Bad()) << "missing file";
  EXPECT_TRUE(list.Items(4)->Bad()) << "no path";
}

TEST_F(CollectionFileTest, LinesWithoutAPathAreBadWhateverTheirName) {
  const std::string longName(45, 'N');
  const std::pair<std::string, std::string> lines[] = {
      {"\"\",\"\"\r\n", ""}, {",\r\n", ""}, {"\"\"\r\n", ""}, {"Lonely\r\n", "Lonely"},
      {"\"" + longName + "\",\"\"\r\n", longName}};
  for (const auto& [line, name] : lines) {
    SCOPED_TRACE(line);
    os.RemoveFile(kColl);
    ASSERT_TRUE(Load(line));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Items(0)->Bad());
    EXPECT_EQ(list.Items(0)->FontName(), name);
    EXPECT_EQ(list.Items(0)->FileName(), "");
  }
}

TEST_F(CollectionFileTest, AnEmptyFileEmptiesTheListAMissingOneLeavesIt) {
  list.AddFileWithName("C:\\F\\a.ttf", "Ay");
  EXPECT_FALSE(list.LoadCollection("C:\\Coll\\None.VLM"));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_TRUE(Load(""));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(CollectionFileTest, ReadFailureKeepsTheLinesReadBeforeIt) {
  constexpr int kLines = 4000;  // well beyond one read
  std::string content;
  for (int i = 0; i < kLines; ++i) {
    const std::string n = std::to_string(i);
    content += CollectionLine(std::string("F") += n, (std::string("C:\\F\\") += n) += ".ttf");
  }
  os.AddFile(kColl, content);
  os.FailReadAfter(kColl, content.size() - 10);
  EXPECT_FALSE(list.LoadCollection(kColl));
  ASSERT_GT(list.Count(), 0);
  ASSERT_LT(list.Count(), kLines);
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.Items(i)->FontName(), std::string("F") += std::to_string(i));
  }
}

TEST_F(CollectionFileTest, CollectionScanFindsTheFileByName) {
  Load("\"Zed\",\"C:\\F\\a.ttf\"\r\n\"Ay\",\"C:\\F\\b.ttf\"\r\n");
  TFontFileList scanned;
  OpenCollection(scanned, "C:\\Coll", "mine");
  EXPECT_EQ(Names(scanned), (Strings{"Ay", "Zed"}));

  scanned.SetCollection("C:\\Coll\\Mine.VLM");
  EXPECT_EQ(scanned.Count(), 2) << "same name: no rescan";
  scanned.SetCollection("C:\\Nowhere\\Mine");
  EXPECT_EQ(scanned.Count(), 0);
  EXPECT_TRUE(os.Messages().empty());
  EXPECT_EQ(progress.Count(), 0);
}

TEST_F(CollectionFileTest, SavingWithoutAPathWritesTheCurrentCollectionsOwnFileWhateverDotsItsNameHolds) {
  os.AddFile("C:\\Coll\\v1.0.VLM", "\"Ay\",\"C:\\F\\a.ttf\"\r\n");
  TFontFileList coll;
  OpenCollection(coll, "C:\\Coll", "v1.0");
  EXPECT_EQ(Names(coll), (Strings{"Ay"}));
  coll.AddFileWithName("C:\\F\\b.ttf", "Bee");
  ASSERT_TRUE(coll.SaveCollection());
  EXPECT_EQ(os.FileContent("C:\\Coll\\v1.0.VLM"),
            "\"Ay\",\"C:\\F\\a.ttf\"\r\n\"Bee\",\"C:\\F\\b.ttf\"\r\n");
  EXPECT_EQ(os.FilesIn("C:\\Coll"), (Strings{"C:\\Coll\\v1.0.VLM"}));

  // A full path ending in the extension, in any case, is the file itself.
  coll.SetCollection("C:\\Coll\\v1.0.Vlm");
  EXPECT_EQ(coll.Count(), 2);
  coll.Delete(0);
  ASSERT_TRUE(coll.SaveCollection());
  EXPECT_EQ(os.FileContent("C:\\Coll\\v1.0.VLM"), "\"Bee\",\"C:\\F\\b.ttf\"\r\n");
  EXPECT_EQ(os.FilesIn("C:\\Coll").size(), 1u);

  // A new collection is written where its name says; a browse list has none.
  TFontFileList fresh;
  OpenCollection(fresh, "C:\\Coll\\", "New");
  fresh.AddFileWithName("C:\\F\\a.ttf", "Ay");
  ASSERT_TRUE(fresh.SaveCollection());
  EXPECT_EQ(os.FileContent("C:\\Coll\\New.VLM"), "\"Ay\",\"C:\\F\\a.ttf\"\r\n");

  list.AddFileWithName("C:\\F\\a.ttf", "Ay");
  EXPECT_FALSE(list.SaveCollection());
}

TEST_F(CollectionFileTest, RecordsThatCannotBeReadShowTheReasonAndSaveTheirNames) {
  const std::string longName(45, 'L');  // read from the file, which is locked
  AddFont("C:\\F\\long.ttf", longName);
  AddFont("C:\\F\\short.ttf", "Short");  // trusted, then locked before its tables are read
  AddFont("C:\\F\\read.ttf", "Was Read");  // read, then locked
  os.LockFile("C:\\F\\long.ttf");
  const std::string lines =
      "\"Short\",\"C:\\F\\short.ttf\"\r\n\"" + longName + "\",\"C:\\F\\long.ttf\"\r\n";
  ASSERT_TRUE(Load(lines));
  list.AddFile("C:\\F\\read.ttf");
  os.LockFile("C:\\F\\short.ttf");
  os.LockFile("C:\\F\\read.ttf");
  os.SetLastError(sys::kErrorSharingViolation);
  const std::string reason = SysErrorText();
  ASSERT_FALSE(reason.empty());
  for (int i = 0; i < list.Count(); ++i) {
    TFontFileInfo& record = *list.Items(i);
    record.FamilyName();  // reads the tables, or fails to
    EXPECT_TRUE(record.Bad()) << i;
    EXPECT_EQ(record.FontName(), reason) << i << " shows why";
  }
  ASSERT_TRUE(list.SaveCollection(kColl));
  EXPECT_EQ(os.FileContent(kColl), lines + "\"Was Read\",\"C:\\F\\read.ttf\"\r\n");
}

TEST_F(CollectionFileTest, SavingKeepsTheFilesOwnNameAndAttributes) {
  // Renamed by the user in letter case only, and hidden.
  os.AddFile("C:\\Coll\\mINE.vlm", "\"Ay\",\"C:\\F\\a.ttf\"\r\n", sys::kAttrHidden);
  TFontFileList coll;
  OpenCollection(coll, "C:\\Coll", "Mine");
  coll.AddFileWithName("C:\\F\\b.ttf", "Bee");
  ASSERT_TRUE(coll.SaveCollection());
  std::vector<sys::FindEntry> found;
  ASSERT_TRUE(os.FindFiles("C:\\Coll\\*", found));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "mINE.vlm");
  EXPECT_EQ(found[0].attributes, sys::kAttrHidden | sys::kAttrArchive);
  EXPECT_EQ(os.FileContent("C:\\Coll\\Mine.VLM"),
            "\"Ay\",\"C:\\F\\a.ttf\"\r\n\"Bee\",\"C:\\F\\b.ttf\"\r\n");
}

class CollectionSaveFaultTest : public CollectionFileTest {
 protected:
  CollectionSaveFaultTest() {
    os.AddFile(kColl, kOld);
    list.AddFileWithName("C:\\F\\a.ttf", "Ay");
  }
  void ExpectOldFileKept() {
    EXPECT_EQ(os.FileContent(kColl), kOld);
    EXPECT_EQ(os.FilesIn("C:\\Coll"), (Strings{kColl})) << "no temporary file left";
  }
  static constexpr const char* kOld = "\"Old\",\"C:\\F\\old.ttf\"\r\n";
};

TEST_F(CollectionSaveFaultTest, FolderRefusingWritesKeepsTheOldFile) {
  os.FailWritesIn("C:\\Coll");
  EXPECT_FALSE(list.SaveCollection(kColl));
  EXPECT_EQ(os.LastError(), sys::kErrorAccessDenied);
  ExpectOldFileKept();
}

TEST_F(CollectionSaveFaultTest, WriteFailingPartWayKeepsTheOldFile) {
  os.FailWrite(std::string(kColl) + ".tmp", 3);
  os.FailWrite(kColl, 3);
  EXPECT_FALSE(list.SaveCollection(kColl));
  ExpectOldFileKept();
}

TEST_F(CollectionSaveFaultTest, FailedReplaceKeepsTheOldFile) {
  os.FailMove(kColl);
  EXPECT_FALSE(list.SaveCollection(kColl));
  ExpectOldFileKept();
}

TEST_F(CollectionSaveFaultTest, LockedFileIsKept) {
  os.LockFile(kColl);
  EXPECT_FALSE(list.SaveCollection(kColl));
  EXPECT_EQ(os.LastError(), sys::kErrorSharingViolation);
  ExpectOldFileKept();
}

}  // namespace
