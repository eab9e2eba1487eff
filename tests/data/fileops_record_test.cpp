#include "data/FontFileOps.h"
#include "tests/data/fileops_fixture.h"

namespace {


// ---- Install ------------------------------------------------------------------

TEST_F(FileOpsTest, InstallCopiesRegistersAndAddsTheFont) {
  auto r = Record("D:\\Src\\Alpha.ttf", "Alpha");
  os.AddFile("C:\\Windows\\Fonts\\Alpha.ttf", "an older file of that name");
  ASSERT_FALSE(r->Installed());

  ASSERT_TRUE(r->Install());
  EXPECT_EQ(os.FileContent("C:\\Windows\\Fonts\\Alpha.ttf"), FontBytes("Alpha"));  // overwritten
  EXPECT_EQ(Registered("Alpha"), "Alpha.ttf");
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\Alpha.ttf"), 1);
  EXPECT_TRUE(r->Installed());
  EXPECT_TRUE(r->InFontsFolder());
  EXPECT_EQ(r->FileName(), "D:\\Src\\Alpha.ttf");  // still the file it came from
  EXPECT_EQ(os.Broadcasts(), 1);
}

TEST_F(FileOpsTest, CollectionsAndCffFontsAreInstalledUnderTheirWindowsNamesAndUninstalledByTheirFiles) {
  os.AddFile("D:\\Src\\pair.ttc", tt::Collection({tt::StandardFont("Pair Sans"), tt::StandardFont("Pair Mono")}));
  os.AddFile("D:\\Src\\nimble.otf", tt::StandardFont("Nimble").Version(tt::kOtto).Build());
  TFontFileInfo mono, cff;
  mono.SetFileName("D:\\Src\\pair.ttc", 1);
  cff.SetFileName("D:\\Src\\nimble.otf");
  ASSERT_TRUE(mono.Install());
  ASSERT_TRUE(cff.Install());
  std::string data;
  EXPECT_TRUE(os.GetValue(sys::Hive::LocalMachine, kFontsKey, "Pair Sans & Pair Mono (TrueType)", data));
  EXPECT_EQ(data, "pair.ttc");
  EXPECT_TRUE(os.GetValue(sys::Hive::LocalMachine, kFontsKey, "Nimble (OpenType)", data));
  EXPECT_EQ(data, "nimble.otf");
  EXPECT_TRUE(mono.Installed() && cff.Installed());
  TFontFileInfo sans;
  sans.SetFileName("C:\\Windows\\Fonts\\PAIR.TTC");
  EXPECT_TRUE(sans.Installed() && sans.InFontsFolder()) << "the other face by its file";

  std::string freed;
  ASSERT_TRUE(sans.Uninstall(dmLeave, &freed));
  EXPECT_EQ(freed, "C:\\Windows\\Fonts\\pair.ttc");
  EXPECT_FALSE(os.GetValue(sys::Hive::LocalMachine, kFontsKey, "Pair Sans & Pair Mono (TrueType)", data));
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\pair.ttc"), 0);
  ASSERT_TRUE(cff.Uninstall(dmLeave));
  EXPECT_FALSE(os.GetValue(sys::Hive::LocalMachine, kFontsKey, "Nimble (OpenType)", data));
  EXPECT_FALSE(cff.Installed());
}

TEST_F(FileOpsTest, InstallingFromTheFontsFolderNeitherCopiesNorOverwritesTheValue) {
  auto r = Record("C:\\Windows\\Fonts\\alpha.TTF", "Alpha");
  Install("Alpha", "somewhere-else.ttf");
  os.FailWritesIn("C:\\Windows\\Fonts");  // any copy would fail
  ASSERT_TRUE(r->Install());
  EXPECT_EQ(Registered("Alpha"), "somewhere-else.ttf");
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\alpha.TTF"), 1);
  EXPECT_TRUE(r->Installed());
}

TEST_F(FileOpsTest, InstallFailsWithoutSideEffectsOnTheFirstFailingStep) {
  auto missing = std::make_unique<TFontFileInfo>();
  missing->SetFileNameAndName("D:\\Src\\Gone.ttf", "Gone");
  EXPECT_FALSE(missing->Install());
  EXPECT_EQ(Registered("Gone"), "<none>");
  EXPECT_FALSE(missing->Installed());

  // The system refuses the font: the value written for it is taken out again,
  // but a value that was there before is not the install's to take away.
  auto r = Record("D:\\Src\\Beta.ttf", "Beta");
  os.FailAddFont("C:\\Windows\\Fonts\\Beta.ttf");
  EXPECT_FALSE(r->Install());
  EXPECT_FALSE(r->Installed());
  EXPECT_EQ(Registered("Beta"), "<none>");
  Install("Beta", "beta-before.ttf");
  EXPECT_FALSE(r->Install());
  EXPECT_EQ(Registered("Beta"), "beta-before.ttf");

  // Neither the machine's table nor the user's can be written: nothing stays.
  auto denied = Record("D:\\Src\\Gamma.ttf", "Gamma");
  os.DenyHive(sys::Hive::LocalMachine);
  os.DenyHive(sys::Hive::CurrentUser);
  EXPECT_FALSE(denied->Install());
  EXPECT_TRUE(os.FontsAdded().empty());
  EXPECT_FALSE(denied->Installed());
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\Gamma.ttf"));
  EXPECT_EQ(os.Broadcasts(), 0);
}

TEST_F(FileOpsTest, AFontInstalledForTheUserAloneIsUninstalledFromThereAndOneWhoMayNotWriteTheMachinesTableGetsOne) {
  const std::string userFonts = "C:\\Users\\User\\AppData\\Local\\Microsoft\\Windows\\Fonts\\";
  os.AddFile("D:\\Src\\pair.ttc", tt::Collection({tt::StandardFont("Pair Sans"), tt::StandardFont("Pair Mono")}));
  TFontFileInfo mono;
  mono.SetFileName("D:\\Src\\pair.ttc", 1);
  ASSERT_TRUE(mono.InstallForUser());
  std::string data;
  EXPECT_TRUE(os.GetValue(sys::Hive::CurrentUser, kFontsKey, "Pair Sans & Pair Mono (TrueType)", data));
  EXPECT_EQ(data, userFonts + "pair.ttc") << "a full path";
  EXPECT_EQ(os.FileContent(userFonts + "pair.ttc"), os.FileContent("D:\\Src\\pair.ttc"));
  EXPECT_EQ(os.FontResourceCount(userFonts + "pair.ttc"), 1);
  EXPECT_TRUE(mono.Installed());
  EXPECT_FALSE(mono.InFontsFolder());
  EXPECT_EQ(os.Broadcasts(), 1);

  TFontFileInfo sans;  // installed for every purpose, whichever face
  sans.SetFileName(userFonts + "pair.ttc");
  EXPECT_TRUE(sans.Installed());
  std::string freed;
  ASSERT_TRUE(sans.Uninstall(dmDelete, &freed));
  EXPECT_EQ(freed, userFonts + "pair.ttc");
  EXPECT_FALSE(os.HasFile(userFonts + "pair.ttc"));
  EXPECT_FALSE(os.GetValue(sys::Hive::CurrentUser, kFontsKey, "Pair Sans & Pair Mono (TrueType)", data));
  EXPECT_EQ(os.FontResourceCount(userFonts + "pair.ttc"), 0);
  EXPECT_FALSE(sans.Installed());

  // The machine's table refuses: Install goes to the user's, the machine keeps nothing.
  os.DenyHive(sys::Hive::LocalMachine);
  ASSERT_TRUE(mono.Install());
  EXPECT_TRUE(os.GetValue(sys::Hive::CurrentUser, kFontsKey, "Pair Sans & Pair Mono (TrueType)", data));
  EXPECT_EQ(data, userFonts + "pair.ttc");
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\pair.ttc"));
  EXPECT_TRUE(mono.Installed() && !mono.InFontsFolder());
}

TEST_F(FileOpsTest, ABadRecordIsRefusedBeforeAnythingIsCopiedOrWritten) {
  os.AddFile("D:\\Src\\Junk.ttf", "no font");
  TFontFileInfo junk;
  junk.SetFileName("D:\\Src\\Junk.ttf");
  ASSERT_TRUE(junk.Bad());
  TFontFileInfo gone;  // listed in the fonts folder, where no copy would be made
  gone.SetFileNameAndName("C:\\Windows\\Fonts\\Gone.ttf", "Gone");
  ASSERT_TRUE(gone.Bad());

  EXPECT_FALSE(junk.Install());
  EXPECT_EQ(os.LastError(), sys::kErrorInvalidData);
  EXPECT_EQ(SysErrorText(), "(13) The data is invalid.");
  EXPECT_FALSE(gone.Install());
  EXPECT_EQ(os.LastError(), sys::kErrorFileNotFound);

  EXPECT_EQ(os.FilesIn("C:\\Windows\\Fonts"), Strings{});
  std::vector<sys::RegValueInfo> values;
  ASSERT_TRUE(os.OpenKey(sys::Hive::LocalMachine, kFontsKey, false)->ListValues(values));
  EXPECT_TRUE(values.empty());
  EXPECT_TRUE(os.FontsAdded().empty());
  EXPECT_FALSE(junk.Installed() || gone.Installed());
  EXPECT_EQ(os.Broadcasts(), 0);
}

// ---- Uninstall ------------------------------------------------------------------

TEST_F(FileOpsTest, UninstallRemovesABareNameRegistrationFromTheSystem) {
  auto r = InstalledFont("ALPHA.TTF", "Alpha");
  ASSERT_TRUE(r->Installed() && r->InFontsFolder());
  std::string registered;
  ASSERT_TRUE(r->Uninstall(dmLeave, &registered));
  EXPECT_EQ(registered, "C:\\Windows\\Fonts\\ALPHA.TTF");
  EXPECT_EQ(Registered("Alpha"), "<none>");
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\ALPHA.TTF"), 0);
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\ALPHA.TTF"));  // mode 2 leaves it
  EXPECT_FALSE(r->Installed());
  EXPECT_FALSE(r->InFontsFolder());
  EXPECT_GE(os.Broadcasts(), 2);  // the removal and the uninstall
}

TEST_F(FileOpsTest, UninstallModesDisposeOfTheFontsFolderCopyOnlyAndOfNothingNotInstalled) {
  auto never = Record("D:\\Src\\Never.ttf", "Never");
  EXPECT_TRUE(never->Uninstall(dmDelete)) << "nothing to do succeeds at once";
  EXPECT_TRUE(os.HasFile("D:\\Src\\Never.ttf"));
  EXPECT_EQ(os.Broadcasts(), 0);

  auto recycled = InstalledFont("A.TTF", "Alpha");
  auto deleted = InstalledFont("B.TTF", "Beta");
  AddFont("D:\\Src\\C.TTF", "Gamma");
  Install("Gamma", "D:\\Src\\C.TTF");
  auto outside = Record("D:\\Src\\C.TTF", "Gamma");
  ASSERT_TRUE(outside->Installed());
  ASSERT_FALSE(outside->InFontsFolder());

  ASSERT_TRUE(recycled->Uninstall(dmRecycle));
  ASSERT_TRUE(deleted->Uninstall(dmDelete));
  ASSERT_TRUE(outside->Uninstall(dmDelete));

  EXPECT_EQ(os.RecycleBin(), Strings{"C:\\Windows\\Fonts\\A.TTF"});
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\A.TTF"));
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\B.TTF"));
  EXPECT_TRUE(os.HasFile("D:\\Src\\C.TTF"));
  EXPECT_EQ(Registered("Gamma"), "<none>");

  // A file that another font of the table still names stays.
  auto shared = InstalledFont("D.TTF", "Delta");
  Install("Delta Bold", "C:\\Windows\\Fonts\\D.TTF");
  std::string freed = "?";
  ASSERT_TRUE(shared->Uninstall(dmDelete, &freed));
  EXPECT_EQ(Registered("Delta"), "<none>");
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\D.TTF"));
  EXPECT_EQ(freed, "");

  // Two files of one font name: the value of that name is the other file's,
  // so this file's own value goes, and the other file keeps its value and stays.
  auto theirs = InstalledFont("E1.TTF", "Echo");
  AddFont(std::string(kFontsDir) + "E2.TTF", "Echo");
  Install("Echo Copy", "E2.TTF");
  auto mine = Record(std::string(kFontsDir) + "E2.TTF", "Echo");
  ASSERT_TRUE(mine->Installed());
  ASSERT_TRUE(mine->Uninstall(dmDelete, &freed));
  EXPECT_EQ(Registered("Echo"), "E1.TTF");
  EXPECT_EQ(Registered("Echo Copy"), "<none>");
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\E1.TTF"));
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\E2.TTF"));
  EXPECT_EQ(freed, "C:\\Windows\\Fonts\\E2.TTF");
}

TEST_F(FileOpsTest, UninstallFailsWhenTheRecycleBinOrTheRegistryRefuses) {
  // The registration goes first; a file that then cannot go stays where it
  // is, and the record says what is true: no longer installed.
  auto locked = InstalledFont("A.TTF", "Alpha");
  os.LockFile("C:\\Windows\\Fonts\\A.TTF");
  EXPECT_FALSE(locked->Uninstall(dmRecycle));
  EXPECT_FALSE(SysErrorText().empty());
  EXPECT_EQ(Registered("Alpha"), "<none>");
  EXPECT_FALSE(locked->Installed());
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\A.TTF"));

  auto r = InstalledFont("B.TTF", "Beta");
  os.DenyHive(sys::Hive::LocalMachine);
  EXPECT_FALSE(r->Uninstall(dmDelete));
  EXPECT_TRUE(r->Installed());
  EXPECT_TRUE(os.HasFile("C:\\Windows\\Fonts\\B.TTF"));
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\B.TTF"), 1);
  EXPECT_FALSE(r->Uninstall(7));
}

// ---- Load and unload ------------------------------------------------------------

TEST_F(FileOpsTest, LoadAndUnloadKeepTheSharedListAFailedLoadLeavesItInstalledFontsAreLeftAlone) {
  auto r = Record("D:\\Src\\Alpha.ttf", "Alpha");
  Strings loaded{"X"};
  ASSERT_TRUE(r->Load(&loaded));
  ASSERT_TRUE(r->Load(&loaded));
  EXPECT_EQ(loaded, (Strings{"X", "D:\\SRC\\ALPHA.TTF"}));
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\Alpha.ttf"), 2);
  EXPECT_FALSE(r->Installed());  // the record stays as it was

  ASSERT_TRUE(r->Unload(&loaded));
  EXPECT_EQ(loaded, Strings{"X"});
  EXPECT_EQ(os.Broadcasts(), 3);
  EXPECT_TRUE(r->Unload(nullptr));
  EXPECT_FALSE(r->Unload(nullptr));  // nothing left to remove

  os.FailAddFont("D:\\Src\\Alpha.ttf");
  const int broadcasts = os.Broadcasts();
  Strings none;
  EXPECT_FALSE(r->Load(&none));
  EXPECT_TRUE(none.empty()) << "a failed load leaves the list alone";
  EXPECT_EQ(os.Broadcasts(), broadcasts);

  // An installed font is neither loaded nor unloaded.
  auto installed = InstalledFont("A.TTF", "Alpha");
  EXPECT_TRUE(installed->Load(&none));
  EXPECT_FALSE(installed->Unload(&none));
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\A.TTF"), 1);
  EXPECT_EQ(os.Broadcasts(), broadcasts);
}

// ---- Delete ---------------------------------------------------------------------

TEST_F(FileOpsTest, DeleteModesAndAFailedDeleteKeepsTheRecord) {
  auto recycled = Record("D:\\Src\\A.TTF", "Alpha");
  auto deleted = Record("D:\\Src\\B.TTF", "Beta");
  auto left = Record("D:\\Src\\C.TTF", "Gamma");
  auto locked = Record("D:\\Src\\D.TTF", "Delta");
  os.AddFont("D:\\Src\\A.TTF");  // a preview copy lets go of the file first

  ASSERT_TRUE(recycled->Delete(dmRecycle));
  ASSERT_TRUE(deleted->Delete(dmDelete));
  ASSERT_TRUE(left->Delete(dmLeave));
  EXPECT_FALSE(locked->Delete(3));
  os.LockFile("D:\\Src\\D.TTF");
  EXPECT_FALSE(locked->Delete(dmRecycle));
  EXPECT_FALSE(SysErrorText().empty());

  EXPECT_EQ(os.RecycleBin(), Strings{"D:\\Src\\A.TTF"});
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\A.TTF"), 0);
  EXPECT_FALSE(os.HasFile("D:\\Src\\B.TTF"));
  EXPECT_TRUE(os.HasFile("D:\\Src\\C.TTF"));
  for (auto* r : {recycled.get(), deleted.get(), left.get()}) {
    EXPECT_EQ(r->FileName(), "");
    EXPECT_EQ(r->FontName(), "");
  }
  // A failed delete keeps the record.
  EXPECT_EQ(locked->FileName(), "D:\\Src\\D.TTF");
  EXPECT_EQ(locked->FontName(), "Delta");
  EXPECT_TRUE(os.HasFile("D:\\Src\\D.TTF"));
}

// ---- Rename ---------------------------------------------------------------------

class RenameTest : public FileOpsTest {
 protected:
  static constexpr const char* kColl = "C:\\Coll\\";
  void Collection(const std::string& name, const std::string& content) {
    os.AddFile(kColl + name + ".VLM", content);
  }
  std::string CollectionText(const std::string& name) { return os.FileContent(kColl + name + ".VLM"); }
};

TEST_F(RenameTest, KeepsTheFolderAndRewritesExactlyTheCollectionsThatReferToTheFile) {
  auto r = Record("D:\\Src\\A.TTF", "Alpha");
  const std::string other = "\"Other\",\"D:\\Src\\X.TTF\"\r\n";
  Collection("One", "\"Alpha\",\"d:\\src\\a.ttf\"\r\n" + other);
  Collection("Two", other);
  Collection("Three", "Alpha,D:\\Src\\A.TTF\r\n");
  os.SetValue(sys::Hive::LocalMachine, kVelmaraKey, "Collections Folder", kColl);

  ASSERT_TRUE(r->Rename("E:\\Elsewhere\\B.TTF"));
  EXPECT_EQ(r->FileName(), "D:\\Src\\B.TTF");
  EXPECT_TRUE(os.HasFile("D:\\Src\\B.TTF"));
  EXPECT_FALSE(os.HasFile("D:\\Src\\A.TTF"));
  EXPECT_EQ(CollectionText("One"), "\"Alpha\",\"D:\\Src\\B.TTF\"\r\n" + other);
  EXPECT_EQ(CollectionText("Two"), other);  // byte for byte
  EXPECT_EQ(CollectionText("Three"), "\"Alpha\",\"D:\\Src\\B.TTF\"\r\n");
  // Nobody had added the font: the rename adds it for nobody.
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\B.TTF"), 0);
  EXPECT_TRUE(os.FontsAdded().empty());

  // A collections folder given instead is the one rewritten. A font loaded
  // for the session is let go for the rename and taken up again by its new name.
  os.AddFile("D:\\Mine\\C.VLM", "\"Alpha\",\"D:\\Src\\B.TTF\"\r\n");
  ASSERT_GT(os.AddFont("D:\\Src\\B.TTF"), 0);
  ASSERT_TRUE(r->Rename("C.TTF", "D:\\Mine\\"));
  EXPECT_EQ(os.FileContent("D:\\Mine\\C.VLM"), "\"Alpha\",\"D:\\Src\\C.TTF\"\r\n");
  EXPECT_EQ(CollectionText("One"), "\"Alpha\",\"D:\\Src\\B.TTF\"\r\n" + other);
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\B.TTF"), 0);
  EXPECT_EQ(os.FontResourceCount("D:\\Src\\C.TTF"), 1);
}

TEST_F(RenameTest, AnInstalledFontRefusedANameStaysAsItWasGivenOneStaysInstalled) {
  auto r = InstalledFont("A.TTF", "Alpha");
  AddFont("C:\\Windows\\Fonts\\B.TTF", "Beta");  // the new name is taken
  EXPECT_FALSE(r->Rename("B.TTF"));
  EXPECT_EQ(r->FileName(), "C:\\Windows\\Fonts\\A.TTF");
  EXPECT_EQ(Registered("Alpha"), "A.TTF");
  EXPECT_TRUE(r->Installed());
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\A.TTF"), 1);
  EXPECT_EQ(os.FileContent("C:\\Windows\\Fonts\\B.TTF"), FontBytes("Beta"));

  ASSERT_TRUE(r->Rename("C.TTF"));
  EXPECT_EQ(r->FileName(), "C:\\Windows\\Fonts\\C.TTF");
  EXPECT_EQ(Registered("Alpha"), "C.TTF");
  EXPECT_TRUE(r->Installed());
  EXPECT_TRUE(r->InFontsFolder());
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\A.TTF"), 0);
  EXPECT_EQ(os.FontResourceCount("C:\\Windows\\Fonts\\C.TTF"), 1);
  EXPECT_FALSE(os.HasFile("C:\\Windows\\Fonts\\A.TTF"));
}

TEST_F(RenameTest, NamesWithoutAFileNameAreRefused) {
  auto r = Record("D:\\Src\\A.TTF", "Alpha");
  for (const char* bad : {"", "D:\\Src\\", "..", "."}) EXPECT_FALSE(r->Rename(bad)) << bad;
  EXPECT_TRUE(os.ShellOps().empty());
  EXPECT_TRUE(os.HasFile("D:\\Src\\A.TTF"));
}

}  // namespace
