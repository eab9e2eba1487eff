// The file operations of the font list as the user meets them: on the
// selected rows, with the rows, marks and events that follow.
#include "sys/codepage.h"
#include "tests/lists/ListsFixture.h"
#include "ui/StdControls.h"

namespace {

using lists_test::FontFile;
using lists_test::kFontsFolder;
using Strings = std::vector<std::string>;
using WStrings = std::vector<std::wstring>;

class FontListOpsTest : public lists_test::FontListTest {
 protected:
  FontListOpsTest() {
    os.AddDirectory(kFontsFolder);
    list->SetLoadedFonts(&loaded);
  }

  void BrowseFolder() {
    MakeFolder();
    Browse("C:\\F");
  }
  void SelectRows(std::initializer_list<int> rows) {
    list->SetAllSelected(false, false, false);
    for (int row : rows) list->ListView().SetSelected(row, true);
    changes = selectionChanges = 0;
  }
  std::string Registered(const std::string& fontName) {
    std::string data;
    return os.GetValue(sys::Hive::LocalMachine, lists_test::kNtFontsKey, fontName + " (TrueType)", data)
               ? data
               : "<none>";
  }
  std::wstring Message(size_t i) const { return i < os.Messages().size() ? os.Messages()[i].text : L""; }

  Strings loaded;
};

// --- Install, load and unload: the rows stay, their marks change

TEST_F(FontListOpsTest, InstallingLoadingAndUnloadingMarkTheSelectedRowsAndWithNothingSelectedNothingHappens) {
  BrowseFolder();
  SelectRows({});
  list->InstallFonts(false);
  list->LoadFonts();
  list->DeleteFonts(true);
  list->UninstallFonts(true);
  EXPECT_EQ(list->ListView().ItemCount(), 4);
  EXPECT_TRUE(os.Messages().empty());
  EXPECT_EQ(changes + selectionChanges, 0);

  SelectRows({0, 3});
  os.FailAddFont(std::string(kFontsFolder) + "GAMMA.TTF");
  list->InstallFonts(false);
  EXPECT_EQ(list->RowMark(0), fmInstalled);
  EXPECT_EQ(list->RowMark(1), fmNone);
  EXPECT_EQ(list->RowMark(2), fmNone);
  EXPECT_EQ(list->RowMark(3), fmNone) << "its install failed";
  EXPECT_EQ(Registered("Alpha"), "ALPHA.TTF");
  EXPECT_TRUE(os.HasFile(std::string(kFontsFolder) + "ALPHA.TTF"));
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(Message(0).rfind(L"C:\\F\\GAMMA.TTF\r\n不能安装字体.", 0), 0u);
  EXPECT_EQ(changes, 1) << "the rows were rebuilt once";
  EXPECT_EQ(selectionChanges, 0);
  EXPECT_EQ(list->SelectedFontNames(), (Strings{"Alpha", "Gamma"}));

  os.ClearMessages();
  SelectRows({3});
  list->InstallFonts(false);
  EXPECT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(changes, 0) << "nothing installed, nothing rebuilt";

  // Loading and unloading go through the shared list.
  os.ClearMessages();
  SelectRows({1, 2});
  list->LoadFonts();
  EXPECT_EQ(loaded, (Strings{"C:\\F\\BETA.TTF", "C:\\F\\DELTA.TTF"}));
  EXPECT_EQ(list->RowMark(1), fmLoaded);
  EXPECT_EQ(list->RowMark(2), fmLoaded);
  EXPECT_EQ(os.FontResourceCount("C:\\F\\BETA.TTF"), 1);
  EXPECT_EQ(changes, 1);

  SelectRows({1});
  list->UnloadFonts();
  EXPECT_EQ(loaded, Strings{"C:\\F\\DELTA.TTF"});
  EXPECT_EQ(list->RowMark(1), fmNone);
  EXPECT_EQ(list->RowMark(2), fmLoaded);

  list->UnloadFonts();  // no longer loaded: the system refuses
  EXPECT_EQ(Message(0).rfind(L"C:\\F\\BETA.TTF\r\n不能反载入字体\r\n", 0), 0u);
}

// --- Delete and uninstall: the rows go; adding files: rows come

TEST_F(FontListOpsTest, DeletingRemovesTheRowsAndSelectsTheRowAtTheOldIndexAndAddingCopiesFilesIn) {
  BrowseFolder();
  SelectRows({1, 2});  // Beta, Delta
  list->DeleteFonts(false);
  EXPECT_EQ(os.RecycleBin(), (Strings{"C:\\F\\BETA.TTF", "C:\\F\\DELTA.TTF"}));
  EXPECT_EQ(os.ShellOps().size(), 1u) << "one shell operation for the batch";
  EXPECT_EQ(Captions(), (WStrings{L"Alpha", L"Gamma"}));
  EXPECT_EQ(list->FontFileList().Count(), 2);
  EXPECT_EQ(list->CountLabel().Text(), L"2 种字体");
  EXPECT_EQ(list->SelCount(), 1);
  ASSERT_NE(list->SelectedRecord(), nullptr);
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Gamma");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selectionChanges, 1);

  SelectRows({1});
  list->DeleteFonts(true);
  EXPECT_FALSE(os.HasFile("C:\\F\\GAMMA.TTF"));
  EXPECT_EQ(Captions(), WStrings{L"Alpha"});
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Alpha") << "the last row of a shorter list";

  // Files added to the folder are copied there and their fonts listed.
  os.AddFile("E:\\In\\E.TTF", FontFile("Echo"));
  os.AddFile("E:\\In\\readme.txt", "text");
  list->AddFiles({"E:\\In\\E.TTF", "E:\\In\\readme.txt"});
  EXPECT_EQ(Captions(), (WStrings{L"Alpha", L"Echo"}));
  EXPECT_EQ(os.FileContent("C:\\F\\readme.txt"), "text");
  EXPECT_EQ(list->ListView().ItemText(1, 1), L"E.TTF");

  // A file copied over a listed one of the same name is another font: its
  // row is read again.
  os.AddFile("E:\\New\\ALPHA.TTF", FontFile("Zulu", 3, 0));
  list->AddFiles({"E:\\New\\ALPHA.TTF"});
  EXPECT_EQ(Captions(), (WStrings{L"Echo", L"Zulu"}));
  EXPECT_EQ(list->FontFileList().Count(), 2);
  ASSERT_NE(list->RowRecord(1), nullptr);
  EXPECT_EQ(list->RowRecord(1)->FileName(), "C:\\F\\ALPHA.TTF");
  EXPECT_EQ(list->RowRecord(1)->FontKind(), fkScript);
}

TEST_F(FontListOpsTest, AFailedBatchDeleteIsShownAndTheFilesStillOnDiskStayListed) {
  BrowseFolder();
  SelectRows({0, 2});
  os.SetLastError(0);
  os.FailShellOps(sys::kErrorSharingViolation);
  list->DeleteFonts(false);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].caption, L"Error");
  EXPECT_EQ(Message(0).rfind(L"不能删除字体文件.\r\n(32)", 0), 0u);
  EXPECT_EQ(Captions(), (WStrings{L"Alpha", L"Beta", L"Delta", L"Gamma"}));
  EXPECT_EQ(list->FontFileList().Count(), 4);
  EXPECT_EQ(selectionChanges, 1);
  ASSERT_NE(list->SelectedRecord(), nullptr);
  EXPECT_EQ(sys::Widen(list->SelectedRecord()->FontName()), Captions()[size_t(list->SelectedIndex())]);
}

TEST_F(FontListOpsTest, UninstallingInTheInstalledListRemovesTheRowsWithoutASelectionEvent) {
  for (const char* name : {"Alpha", "Beta"}) {
    const std::string file = std::string(name) + ".TTF";
    os.AddFile(kFontsFolder + file, FontFile(name));
    Install(name, file);
    os.AddFont(kFontsFolder + file);
  }
  list->SetMode(flmInstalled);
  ASSERT_EQ(Captions(), (WStrings{L"Alpha", L"Beta", L"Placeholder"}));
  SelectRows({0});
  list->DeleteFonts(false);  // in the fonts folder: uninstalls
  EXPECT_EQ(Registered("Alpha"), "<none>");
  EXPECT_EQ(os.RecycleBin(), Strings{std::string(kFontsFolder) + "Alpha.TTF"});
  EXPECT_EQ(Captions(), (WStrings{L"Beta", L"Placeholder"}));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selectionChanges, 0);
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Beta");
}

TEST_F(FontListOpsTest, AddingFilesToACollectionAddsRowsInNameOrderAndDeletingThereChangesOnlyTheCollection) {
  os.AddFile("E:\\In\\Z.TTF", FontFile("Zulu"));
  os.AddFile("E:\\In\\B.ttf", FontFile("Beta"));
  os.AddFile("E:\\In\\readme.txt", "text");
  os.AddFile("C:\\F\\A.TTF", FontFile("Alpha"));
  ShowCollection("\"Alpha\",\"C:\\F\\A.TTF\"\r\n");
  changes = 0;
  list->AddFiles({"E:\\In\\Z.TTF", "E:\\In\\B.ttf", "E:\\In\\readme.txt", "C:\\F\\A.TTF"});
  EXPECT_EQ(Captions(), (WStrings{L"Alpha", L"Beta", L"Zulu"}));
  EXPECT_EQ(os.FileContent("C:\\C\\MINE.VLM"),
            "\"Alpha\",\"C:\\F\\A.TTF\"\r\n\"Beta\",\"E:\\In\\B.ttf\"\r\n\"Zulu\",\"E:\\In\\Z.TTF\"\r\n");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selectionChanges, 0);

  // Deleting in a collection changes only the collection.
  SelectRows({0});
  list->DeleteFonts(true);
  EXPECT_EQ(Captions(), (WStrings{L"Beta", L"Zulu"}));
  EXPECT_EQ(os.FileContent("C:\\C\\MINE.VLM"), "\"Beta\",\"E:\\In\\B.ttf\"\r\n\"Zulu\",\"E:\\In\\Z.TTF\"\r\n");
  EXPECT_TRUE(os.HasFile("C:\\F\\A.TTF"));
  EXPECT_EQ(selectionChanges, 1);
}

// --- Window messages let through by message boxes

TEST_F(FontListOpsTest, CommandsArrivingDuringAnOperationWaitOrAreDropped) {
  BrowseFolder();
  os.AddFile("C:\\G\\OTHER.TTF", FontFile("Other"));
  SelectRows({0, 1});
  os.FailAddFont(std::string(kFontsFolder) + "ALPHA.TTF");
  bool asked = false;
  bool recordHandedOut = true;
  os.onMessageBox = [&] {
    if (asked) return;
    asked = true;
    recordHandedOut = list->SelectedRecord() != nullptr;
    list->DeleteFonts(true);  // dropped: the records are in use
    list->SetPath("C:\\G");   // waits for the operation's end
    list->UpdateList();
  };
  list->InstallFonts(false);
  os.onMessageBox = nullptr;
  EXPECT_TRUE(asked);
  EXPECT_FALSE(recordHandedOut);
  EXPECT_TRUE(os.HasFile("C:\\F\\ALPHA.TTF"));
  EXPECT_TRUE(os.HasFile("C:\\F\\BETA.TTF"));
  EXPECT_EQ(Registered("Beta"), "BETA.TTF") << "the operation ran to its end";
  EXPECT_EQ(list->Path(), "C:\\G\\");
  EXPECT_EQ(Captions(), WStrings{L"Other"});
  EXPECT_EQ(list->SelectedRecord()->FontName(), "Other");

  // A rename the shell refuses runs, all the same, what waited for it.
  os.AddFile("C:\\H\\THIRD.TTF", FontFile("Third"));
  os.onShellOp = [&] {
    os.onShellOp = nullptr;
    list->SetPath("C:\\H");
    list->UpdateList();
  };
  os.FailShellOps(sys::kErrorAccessDenied);
  std::string fileAfter;
  EXPECT_FALSE(list->RenameSelected("NEW.TTF", "C:\\C", fileAfter));
  EXPECT_EQ(fileAfter, "C:\\G\\OTHER.TTF");
  EXPECT_EQ(os.LastError(), uint32_t(sys::kErrorAccessDenied)) << "the shell's reason, for the message";
  EXPECT_EQ(list->Path(), "C:\\H\\");
  EXPECT_EQ(Captions(), WStrings{L"Third"});
}

}  // namespace
