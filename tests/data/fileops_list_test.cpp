#include "data/FontFileList.h"
#include "data/FontListOps.h"
#include "tests/data/fileops_fixture.h"

namespace {

using Records = std::vector<TFontFileInfo*>;

class ListOpsTest : public FileOpsTest {
 protected:
  Records All() {
    Records records;
    for (int i = 0; i < list.Count(); ++i) records.push_back(list.Items(i));
    return records;
  }
  // What the view does with an outcome, as far as the list is concerned.
  void Apply(const TListOpOutcome& outcome) {
    if (outcome.Reload) list.Scan();
  }
  void Browse(const std::string& folder) { list.SetPath(folder); }

  TFontFileList list;
  Strings loaded;
  TFontListOps ops{list, &loaded};
};

TEST_F(ListOpsTest, InstallFontsReportsEachFailureAndGoesOn) {
  AddFont("D:\\Src\\A.TTF", "Alpha");
  AddFont("D:\\Src\\B.TTF", "Beta");
  Browse(kSrc);
  os.FailAddFont("C:\\Windows\\Fonts\\A.TTF");
  os.SetLastError(0);

  TListOpOutcome outcome = ops.InstallFonts(All(), false);
  EXPECT_TRUE(outcome.Update);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(Registered("Beta"), "B.TTF");
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].caption, L"Error");
  EXPECT_EQ(os.Messages()[0].text.rfind(L"D:\\Src\\A.TTF\r\n不能安装字体.\r\n", 0), 0u);

  os.ClearMessages();
  os.FailAddFont("C:\\Windows\\Fonts\\B.TTF");
  EXPECT_FALSE(ops.InstallFonts({list.Items(0)}, false).Update);
  EXPECT_EQ(os.Messages().size(), 1u);

  // Chosen for this user alone: the user's own table, the machine's left as it is.
  os.ClearMessages();
  ASSERT_TRUE(ops.InstallFonts({list.Items(0)}, true).Update);
  EXPECT_TRUE(os.Messages().empty());
  std::string data;
  EXPECT_TRUE(os.GetValue(sys::Hive::CurrentUser, kFontsKey, "Alpha (TrueType)", data));
  EXPECT_EQ(Registered("Alpha"), "<none>");
}

TEST_F(ListOpsTest, LoadAndUnloadFontsUseTheSharedList) {
  AddFont("D:\\Src\\A.TTF", "Alpha");
  Browse(kSrc);
  EXPECT_TRUE(ops.LoadFonts(All()).Update);
  EXPECT_EQ(loaded, Strings{"D:\\SRC\\A.TTF"});
  EXPECT_TRUE(ops.UnloadFonts(All()).Update);
  EXPECT_TRUE(loaded.empty());

  EXPECT_FALSE(ops.UnloadFonts(All()).Update);
  EXPECT_EQ(LastMessage().rfind(L"D:\\Src\\A.TTF\r\n不能反载入字体\r\n", 0), 0u);
  os.ClearMessages();
  os.FailAddFont("D:\\Src\\A.TTF");
  EXPECT_FALSE(ops.LoadFonts(All()).Update);
  EXPECT_EQ(LastMessage().rfind(L"D:\\Src\\A.TTF\r\n不能载入字体\r\n", 0), 0u);
}

// ---- Uninstalling ---------------------------------------------------------------

class UninstallFontsTest : public ListOpsTest {
 protected:
  UninstallFontsTest() {
    InstalledFont("A.TTF", "Alpha");
    InstalledFont("B.TTF", "Beta");
    list.SetMode(flmInstalled);
  }
};

TEST_F(UninstallFontsTest, WithoutShiftTheFilesGoToTheRecycleBinTogether) {
  TListOpOutcome outcome = ops.UninstallFonts(All(), false);
  EXPECT_TRUE(outcome.Update && outcome.Removed);
  EXPECT_FALSE(outcome.Reload) << "the records are taken out, nothing is scanned";
  EXPECT_FALSE(outcome.SelectionChanged);
  ASSERT_EQ(os.ShellOps().size(), 1u);
  EXPECT_EQ(os.ShellOps()[0].op, unsigned(sys::kFoDelete));
  EXPECT_EQ(os.ShellOps()[0].flags, 0x50);
  EXPECT_EQ(os.RecycleBin(), (Strings{"C:\\Windows\\Fonts\\A.TTF", "C:\\Windows\\Fonts\\B.TTF"}));
  EXPECT_EQ(Registered("Alpha"), "<none>");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.Contains("C:\\Windows\\Fonts\\A.TTF"));
  EXPECT_TRUE(os.Messages().empty());
}

TEST_F(UninstallFontsTest, WithShiftEachFileIsDeletedForGoodAndOnlyThoseLeaveTheList) {
  os.LockFile("C:\\Windows\\Fonts\\B.TTF");
  TListOpOutcome outcome = ops.UninstallFonts(All(), true);
  EXPECT_TRUE(outcome.Update && outcome.Removed);
  EXPECT_TRUE(os.ShellOps().empty());
  EXPECT_TRUE(os.RecycleBin().empty());
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\A.TTF"));
  EXPECT_EQ(Names(list), Strings{"Beta"});
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\B.TTF"));
  EXPECT_EQ(Registered("Beta"), "<none>");  // unregistered before its file failed
  EXPECT_FALSE(list.Items(0)->Installed());
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(LastMessage().rfind(L"C:\\Windows\\Fonts\\B.TTF\r\n不能反安装字体.\r\n(32)", 0), 0u);
}

TEST_F(UninstallFontsTest, AFontStillRegisteredKeepsItsFile) {
  os.DenyHive(sys::Hive::LocalMachine);
  TListOpOutcome outcome = ops.UninstallFonts(All(), false);
  EXPECT_FALSE(outcome.Update);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(os.ShellOps().empty());
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\A.TTF"));
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\B.TTF"));
  ASSERT_EQ(os.Messages().size(), 2u);
  EXPECT_EQ(os.Messages()[1].text.rfind(L"C:\\Windows\\Fonts\\B.TTF\r\n不能反安装字体.\r\n(5)", 0), 0u);
}

TEST_F(UninstallFontsTest, NothingOutsideTheFontsFolderIsDisposedOf) {
  AddFont("D:\\Src\\G.TTF", "Gamma");
  Install("Gamma", "D:\\Src\\G.TTF");
  list.SetMode(flmBrowse);  // a list of another folder: its rows stay
  list.SetPath(kSrc);
  ASSERT_EQ(list.Count(), 1);
  for (bool shift : {false, true}) {
    TListOpOutcome outcome = ops.UninstallFonts(All(), shift);
    EXPECT_FALSE(outcome.Reload);
    EXPECT_TRUE(os.HasFile("D:\\Src\\G.TTF"));
    EXPECT_TRUE(os.RecycleBin().empty());
  }
  EXPECT_EQ(Registered("Gamma"), "<none>");
}

TEST_F(UninstallFontsTest, ARefusedRecycleIsReported) {
  os.FailShellOps(sys::kErrorAccessDenied);
  TListOpOutcome outcome = ops.UninstallFonts(All(), false);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text.rfind(L"不能反安装字体.\r\n(5)", 0), 0u);
  // Unregistered all the same: the installed list has no place for them.
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(UninstallFontsTest, ARefusedRecycleInAListOfTheFontsFolderShowsItsFilesAgain) {
  list.SetMode(flmBrowse);
  list.SetPath(kFontsDir);
  ASSERT_EQ(list.Count(), 2);
  AddFont(std::string(kFontsDir) + "L.TTF", "Lima");  // lies there, not installed
  list.Scan();
  os.FailShellOps(sys::kErrorAccessDenied);
  TListOpOutcome outcome = ops.UninstallFonts(All(), false);
  EXPECT_EQ(os.Messages().size(), 1u);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(Names(list), (Strings{"Alpha", "Beta", "Lima"})) << "the files are all still there";
  EXPECT_FALSE(list.Items(0)->Installed());
}

// ---- Deleting -------------------------------------------------------------------

class DeleteFontsTest : public ListOpsTest {
 protected:
  DeleteFontsTest() {
    AddFont("D:\\Src\\A.TTF", "Alpha");
    AddFont("D:\\Src\\B.TTF", "Beta");
    AddFont("D:\\Src\\C.TTF", "Gamma");
    Browse(kSrc);
  }
};

TEST_F(DeleteFontsTest, OneFileGoesToTheRecycleBinByItselfSeveralInOneOperation) {
  os.AddFont("D:\\Src\\A.TTF");
  loaded.push_back("D:\\SRC\\A.TTF");
  TListOpOutcome outcome = ops.DeleteFonts({list.Items(0)}, false);
  EXPECT_TRUE(outcome.Update && outcome.Removed && outcome.SelectionChanged);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(os.RecycleBin(), Strings{"D:\\Src\\A.TTF"});
  EXPECT_TRUE(loaded.empty());
  EXPECT_EQ(Files(list), (Strings{"D:\\Src\\B.TTF", "D:\\Src\\C.TTF"}));

  outcome = ops.DeleteFonts(All(), false);
  ASSERT_EQ(os.ShellOps().size(), 2u);
  EXPECT_EQ(os.ShellOps()[1].from.size(), 2u);
  EXPECT_EQ(os.RecycleBin().size(), 3u);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(DeleteFontsTest, AFailedBatchIsReportedAndTheListShowsWhatIsLeft) {
  os.FailShellOps(sys::kErrorSharingViolation);
  TListOpOutcome outcome = ops.DeleteFonts({list.Items(0), list.Items(1)}, false);
  EXPECT_TRUE(outcome.Reload);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text.rfind(L"不能删除字体文件.\r\n(32)", 0), 0u);
  EXPECT_EQ(Names(list), Strings{"Gamma"}) << "until the list is read again";
  Apply(outcome);
  EXPECT_EQ(Names(list), (Strings{"Alpha", "Beta", "Gamma"}));
}

TEST_F(DeleteFontsTest, WithShiftAFailedDeleteNamesTheFileAndTheOthersGoForGood) {
  os.LockFile("D:\\Src\\B.TTF");
  TListOpOutcome outcome = ops.DeleteFonts({list.Items(1)}, true);
  EXPECT_FALSE(outcome.Update);
  EXPECT_EQ(LastMessage().rfind(L"D:\\Src\\B.TTF\r\n不能删除字体文件.\r\n(32)", 0), 0u);
  EXPECT_EQ(list.Items(1)->FileName(), "D:\\Src\\B.TTF");

  // Among several, each is deleted for good by itself; the one that stays on
  // disk keeps its record.
  outcome = ops.DeleteFonts(All(), true);
  EXPECT_TRUE(outcome.Removed && !outcome.Reload);
  EXPECT_TRUE(os.ShellOps().empty());
  EXPECT_EQ(Files(list), Strings{"D:\\Src\\B.TTF"});
  EXPECT_EQ(os.FilesIn("D:\\Src"), Strings{"D:\\Src\\B.TTF"});
}

TEST_F(DeleteFontsTest, InACollectionOnlyTheCollectionChanges) {
  os.AddFile("C:\\Coll\\Mine.VLM",
             "\"Alpha\",\"D:\\Src\\A.TTF\"\r\n\"Beta\",\"D:\\Src\\B.TTF\"\r\n");
  OpenCollection(list, "C:\\Coll", "Mine");
  ASSERT_EQ(list.Count(), 2);

  TListOpOutcome outcome = ops.DeleteFonts({list.Items(0)}, true);
  EXPECT_TRUE(outcome.Update && outcome.Removed && outcome.SelectionChanged);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(Files(list), Strings{"D:\\Src\\B.TTF"});
  EXPECT_EQ(os.FileContent("C:\\Coll\\Mine.VLM"), "\"Beta\",\"D:\\Src\\B.TTF\"\r\n");
  EXPECT_TRUE(os.HasFile("D:\\Src\\A.TTF"));
  EXPECT_TRUE(os.ShellOps().empty());
}

TEST_F(DeleteFontsTest, InTheFontsFolderEachFileGoesOrTheUserIsToldWhyItStays) {
  InstalledFont("F.TTF", "Foxtrot");
  AddFont(std::string(kFontsDir) + "L.TTF", "Lima");  // lies there, not installed
  InstalledFont("S.TTF", "Sierra");
  Install("Sierra Bold", "S.TTF");  // a second font of the table names the file
  Browse(kFontsDir);
  ASSERT_EQ(Names(list), (Strings{"Foxtrot", "Lima", "Sierra"}));
  const std::wstring stillNamed = L"不能删除字体文件.\r\n已安装字体表中仍有字体使用此文件.";

  TListOpOutcome outcome = ops.DeleteFonts(All(), false);
  EXPECT_FALSE(outcome.SelectionChanged);
  EXPECT_FALSE(outcome.Reload);
  EXPECT_EQ(Registered("Foxtrot"), "<none>");
  EXPECT_EQ(Registered("Sierra"), "<none>");
  EXPECT_EQ(Registered("Sierra Bold"), "S.TTF");
  ASSERT_EQ(os.ShellOps().size(), 1u) << "one recycle for the batch";
  EXPECT_EQ(os.RecycleBin(), (Strings{"C:\\Windows\\Fonts\\F.TTF", "C:\\Windows\\Fonts\\L.TTF"}));
  // The file that stays keeps its row, and the user hears why.
  EXPECT_EQ(Names(list), Strings{"Sierra"});
  EXPECT_FALSE(list.Items(0)->Installed());
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), L"C:\\Windows\\Fonts\\S.TTF\r\n" + stillNamed);

  // On the Installed page a value this program cannot match to its font
  // (a bodgey row) stays, and so does its file, even with Shift.
  os.ClearMessages();
  AddFont(std::string(kFontsDir) + "B.TTF", "Bravo");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Bravo", "B.TTF");
  list.SetMode(flmInstalled);
  ASSERT_EQ(Names(list), (Strings{"Bravo", "Sierra Bold"}));
  ASSERT_TRUE(list.Items(0)->Bodgey());
  outcome = ops.DeleteFonts({list.Items(0)}, true);
  EXPECT_EQ(Names(list), (Strings{"Bravo", "Sierra Bold"}));
  EXPECT_TRUE(os.HasFile(std::string(kFontsDir) + "B.TTF"));
  std::string data;
  EXPECT_TRUE(os.GetValue(sys::Hive::LocalMachine, kFontsKey, "Bravo", data));
  EXPECT_EQ(LastMessage(), L"C:\\Windows\\Fonts\\B.TTF\r\n" + stillNamed);

  // An installed row goes with its value; a file outside the fonts folder is
  // never deleted from here, and the user is told.
  os.ClearMessages();
  Install("Gamma", "D:\\Src\\C.TTF");
  list.Scan();
  ASSERT_EQ(Names(list), (Strings{"Bravo", "Gamma", "Sierra Bold"}));
  outcome = ops.DeleteFonts({list.Items(1), list.Items(2)}, true);
  EXPECT_EQ(Names(list), Strings{"Bravo"});
  EXPECT_TRUE(os.HasFile("D:\\Src\\C.TTF"));
  EXPECT_FALSE(os.HasFile(std::string(kFontsDir) + "S.TTF"));
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), L"D:\\Src\\C.TTF\r\n不能删除字体文件.\r\n此文件不在字体文件夹中.");
}

// ---- Adding files ---------------------------------------------------------------

class AddFilesTest : public ListOpsTest {
 protected:
  AddFilesTest() {
    AddFont("E:\\In\\A.TTF", "Alpha");
    AddFont("E:\\In\\B.ttf", "Beta");
    os.AddFile("E:\\In\\readme.txt", "text");
  }
  const Strings dropped{"E:\\In\\A.TTF", "E:\\In\\B.ttf", "E:\\In\\readme.txt"};
};

TEST_F(AddFilesTest, IntoACollection) {
  os.AddFile("C:\\Coll\\Mine.VLM", "\"Alpha\",\"E:\\In\\A.TTF\"\r\n");
  OpenCollection(list, "C:\\Coll", "Mine");

  EXPECT_TRUE(ops.AddFiles(dropped).Update);
  EXPECT_EQ(Files(list), (Strings{"E:\\In\\A.TTF", "E:\\In\\B.ttf"}));
  EXPECT_EQ(os.FileContent("C:\\Coll\\Mine.VLM"),
            "\"Alpha\",\"E:\\In\\A.TTF\"\r\n\"Beta\",\"E:\\In\\B.ttf\"\r\n");
  EXPECT_FALSE(ops.AddFiles(dropped).Update);  // all there already
}

TEST_F(AddFilesTest, IntoTheFontsFolderInstallsAndAFailedInstallNamesTheFolder) {
  InstalledFont("Z.TTF", "Zulu");
  list.SetMode(flmInstalled);
  EXPECT_TRUE(ops.AddFiles({"E:\\In\\A.TTF", "C:\\Windows\\Fonts\\Z.TTF", "E:\\In\\readme.txt"}).Update);
  EXPECT_EQ(Registered("Alpha"), "A.TTF");
  EXPECT_EQ(Files(list), (Strings{"C:\\Windows\\Fonts\\A.TTF", "C:\\Windows\\Fonts\\Z.TTF"}));
  EXPECT_FALSE(list.Items(0)->Bodgey());
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\readme.txt"));

  os.FailAddFont("C:\\Windows\\Fonts\\B.ttf");
  EXPECT_FALSE(ops.AddFiles({"E:\\In\\B.ttf"}).Update);
  EXPECT_EQ(LastMessage().rfind(L"E:\\In\\B.ttf\r\n不能复制文件到 C:\\Windows\\Fonts\\.", 0), 0u);
}

TEST_F(AddFilesTest, IntoAnotherFolderCopiesButWithoutOneNowhere) {
  EXPECT_FALSE(ops.AddFiles(dropped).Update);
  EXPECT_TRUE(os.Messages().empty());

  AddFont("D:\\Src\\Old.TTF", "Old");
  Browse(kSrc);
  EXPECT_TRUE(ops.AddFiles(dropped).Update);
  EXPECT_EQ(os.FileContent("D:\\Src\\A.TTF"), FontBytes("Alpha"));
  EXPECT_EQ(os.FileContent("D:\\Src\\readme.txt"), "text");  // copied, not listed
  EXPECT_EQ(Files(list), (Strings{"D:\\Src\\A.TTF", "D:\\Src\\B.ttf", "D:\\Src\\Old.TTF"}));

  // A file already in the folder is left alone; a failed copy names the folder.
  EXPECT_FALSE(ops.AddFiles({"D:\\Src\\Old.TTF", "E:\\In\\Missing.TTF"}).Update);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(LastMessage().rfind(L"E:\\In\\Missing.TTF\r\n不能复制文件到 D:\\Src\\.\r\n(2)", 0), 0u);

  // A collection copied over a file of its name: every face of the new file, none of the old.
  os.AddFile("E:\\In\\pair.ttc", tt::Collection({tt::StandardFont("Pair Sans"), tt::StandardFont("Pair Mono")}));
  os.AddFile("D:\\Src\\pair.ttc", tt::Collection({tt::StandardFont("Gone Sans")}));
  list.Scan();
  ASSERT_TRUE(list.Contains("D:\\Src\\pair.ttc"));
  EXPECT_TRUE(ops.AddFiles({"E:\\In\\pair.ttc"}).Update);
  Strings names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i)->FontName());
  EXPECT_EQ(names, (Strings{"Alpha", "Beta", "Old", "Pair Mono", "Pair Sans"}));
}

// ---- Renaming -------------------------------------------------------------------

TEST_F(ListOpsTest, RenameKeepsTheListAndTheLoadedFontsInStep) {
  AddFont("D:\\Src\\A.TTF", "Alpha");
  Browse(kSrc);
  TFontFileInfo& r = *list.Items(0);
  ASSERT_TRUE(r.Load(&loaded));
  ASSERT_TRUE(ops.RenameFont(r, "Renamed.TTF"));
  EXPECT_TRUE(list.Contains("D:\\SRC\\RENAMED.TTF"));
  EXPECT_FALSE(list.Contains("D:\\Src\\A.TTF"));
  EXPECT_EQ(loaded, Strings{"D:\\SRC\\RENAMED.TTF"});
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\Renamed.TTF"), 1);
}

}  // namespace
