// The scan of the installed-font table.
#include <string>

#include "data/VLMUtil.h"
#include "tests/data/scan_fixture.h"
#include "tests/support/TrueTypeWriter.h"

namespace {

class InstalledScanTest : public ScanTest {
 protected:
  void AddFontFile(const std::string& path) { os.AddFile(path, "not read"); }
  void SetValue(const std::string& name, const std::string& data, uint32_t type = sys::kRegSz) {
    os.SetValue(sys::Hive::LocalMachine, kFontsKey, name, data, type);
  }
  // The list of installed fonts, scanned now.
  Strings ScanNames() {
    list.SetMode(flmInstalled);
    return Names(list);
  }

  TFontFileList list;
};

TEST_F(InstalledScanTest, ListsTrueTypeValuesByNameOnceAFileWithoutOpeningFiles) {
  AddFontFile("C:\\Windows\\Fonts\\arial.ttf");
  AddFontFile("C:\\Elsewhere\\times.ttf");
  AddFontFile("C:\\Windows\\Fonts\\LOWER.ttf");
  Install("Arial", "arial.ttf");
  Install("Arial Again", "C:\\WINDOWS\\FONTS\\ARIAL.TTF");  // the same file: no second record
  Install("Times New Roman", "C:\\Elsewhere\\times.ttf");
  Install("lower case", "LOWER.ttf");
  SetValue("Expand (TrueType)", "expand.ttf", sys::kRegExpandSz);
  SetValue("Small Fonts", "SMALLE.FON");
  SetValue("Binary (TrueType)", "bin.ttf", sys::kRegBinary);
  const int opensBefore = os.Opens();

  EXPECT_EQ(ScanNames(), (Strings{"Arial", "lower case", "Times New Roman"}));
  EXPECT_EQ(list.Path(), kFontsDir);
  EXPECT_EQ(Files(list), (Strings{"C:\\Windows\\Fonts\\arial.ttf",
                                  "C:\\Windows\\Fonts\\LOWER.ttf", "C:\\Elsewhere\\times.ttf"}));
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_TRUE(list.Items(i)->Installed()) << i;
    EXPECT_FALSE(list.Items(i)->Bodgey()) << i;
    EXPECT_FALSE(list.Items(i)->Bad()) << i;
  }
  EXPECT_TRUE(list.Items(0)->InFontsFolder());
  EXPECT_FALSE(list.Items(2)->InFontsFolder());
  EXPECT_EQ(os.Opens(), opensBefore);
  EXPECT_TRUE(os.Messages().empty());
  EXPECT_EQ(progress.Count(), 0);
}

TEST_F(InstalledScanTest, CollectionsByTheirFacesOpenTypeFontsAndTheUsersOwnFontsAreListedAndInstalled) {
  os.AddFile("C:\\Windows\\Fonts\\simsun.ttc",
             tt::Collection({tt::StandardFont("SimSun"), tt::StandardFont("NSimSun")}));
  SetValue("SimSun & NSimSun (TrueType)", "simsun.ttc");
  // Wine's way: a value per face and one per vertical name, all the same file.
  SetValue("SimSun (TrueType)", "C:\\Windows\\Fonts\\SIMSUN.TTC");
  SetValue("@SimSun (TrueType)", "simsun.ttc");
  AddFontFile("C:\\Windows\\Fonts\\nimble.otf");
  SetValue("Nimble (OpenType)", "nimble.otf");
  SetValue("Small Fonts", "SMALLE.FON");
  const std::string userFonts = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts\\";
  AddFont(userFonts + "mine.ttf", "Mine");
  os.AddFile(userFonts + "duo.ttc", tt::Collection({tt::StandardFont("Duo One"), tt::StandardFont("Duo Two")}));
  os.SetValue(sys::Hive::CurrentUser, kFontsKey, "Mine (TrueType)", userFonts + "mine.ttf");
  os.SetValue(sys::Hive::CurrentUser, kFontsKey, "Duo One & Duo Two (TrueType)", userFonts + "duo.ttc");

  EXPECT_EQ(ScanNames(), (Strings{"Duo One", "Duo Two", "Mine", "Nimble", "NSimSun", "SimSun"}));
  const Strings faces = {"0", "1", "0", "0", "1", "0"};
  for (int i = 0; i < list.Count(); ++i) {
    SCOPED_TRACE(list.Items(i)->FontName());
    EXPECT_EQ(std::to_string(list.Items(i)->FaceIndex()), faces[size_t(i)]);
    EXPECT_TRUE(list.Items(i)->Installed());
    EXPECT_FALSE(list.Items(i)->Bodgey());
    EXPECT_FALSE(list.Items(i)->Bad());
  }
  EXPECT_TRUE(list.Items(5)->InFontsFolder());
  EXPECT_FALSE(list.Items(0)->InFontsFolder()) << "the user's own folder";

  // Installed wherever a record of the same face is made.
  TFontFileInfo browsed;
  browsed.SetFileName(userFonts + "DUO.TTC", 1);
  EXPECT_TRUE(browsed.Installed());
  os.AddFile("D:\\duo.ttc", os.FileContent(userFonts + "duo.ttc"));
  browsed.SetFileName("D:\\duo.ttc", 1);
  EXPECT_FALSE(browsed.Installed()) << "a copy elsewhere is another file";
}

TEST_F(InstalledScanTest, IrregularValueNamesMakeBodgeyRecords) {
  AddFontFile("C:\\Windows\\Fonts\\verdana.ttf");
  AddFontFile("C:\\Windows\\Fonts\\mid.ttf");
  SetValue("Verdana", "verdana.ttf");
  SetValue("Mid (TrueType) Bold", "mid.ttf");
  Install("Missing File", "gone.ttf");

  ASSERT_EQ(ScanNames(), (Strings{"Mid Bold", "Missing File", "Verdana"}));
  EXPECT_TRUE(list.Items(0)->Bodgey());
  EXPECT_FALSE(list.Items(0)->Installed());
  EXPECT_FALSE(list.Items(1)->Bodgey());
  EXPECT_TRUE(list.Items(1)->Bad());
  EXPECT_TRUE(list.Items(2)->Bodgey());
  EXPECT_FALSE(list.Items(2)->Installed());
}

// The table keeps 40 bytes of a name: a name that long may have been cut, and
// the file tells the whole name.
TEST_F(InstalledScanTest, NamesTheTableMayHaveCutAreReadFromTheFile) {
  const std::string cut(40, 'L');
  const std::string full = cut + " and the rest";
  AddFont("C:\\Windows\\Fonts\\long.ttf", full);
  Install(cut, "long.ttf");
  AddFont("C:\\Windows\\Fonts\\short.ttf", "Name In File");
  Install(std::string(38, 'S'), "short.ttf");
  // 37 letters and two Chinese characters: the table keeps 39 bytes.
  const std::string cjk = std::string(37, 'L') + "\xD6\xD0\xCE\xC4";
  AddFont("C:\\Windows\\Fonts\\cjk.ttf", std::string(37, 'L') + "\u4E2D\u6587");
  SetValue(FontRegValueName(cjk), "cjk.ttf");
  ASSERT_EQ(FontRegValueName(cjk), std::string(37, 'L') + "\xD6\xD0 (TrueType)");
  // A long name whose file holds another font.
  AddFont("C:\\Windows\\Fonts\\other.ttf", "Something Else");
  Install(std::string(45, 'X'), "other.ttf");

  ASSERT_EQ(ScanNames(), (Strings{full, cjk, "Something Else", std::string(38, 'S')}));
  EXPECT_TRUE(list.Items(0)->Installed()) << "the cut name is the name the table holds";
  EXPECT_FALSE(list.Items(0)->Bodgey());
  EXPECT_TRUE(list.Items(1)->Installed());
  EXPECT_FALSE(list.Items(1)->Bodgey());
  EXPECT_FALSE(list.Items(2)->Installed());
  EXPECT_TRUE(list.Items(2)->Bodgey());
  EXPECT_TRUE(list.Items(3)->Installed());
}

TEST_F(InstalledScanTest, MissingKeyGivesEmptyListAndNoMessage) {
  os.FailKey(sys::Hive::LocalMachine, kFontsKey);
  os.FailKey(sys::Hive::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts");
  EXPECT_TRUE(ScanNames().empty());
  EXPECT_TRUE(os.Messages().empty());
}

TEST_F(InstalledScanTest, ListingFailureWarnsOnceAndKeepsWhatWasRead) {
  AddFontFile("C:\\Windows\\Fonts\\a.ttf");
  AddFontFile("C:\\Windows\\Fonts\\b.ttf");
  Install("Bee", "b.ttf");
  Install("Ay", "a.ttf");
  os.FailListValues(sys::Hive::LocalMachine, kFontsKey, 1);

  EXPECT_EQ(ScanNames(), (Strings{"Bee"}));
  ExpectOneWarning(kRegistryTrouble);
}

TEST_F(InstalledScanTest, AListThatTakesItsWarningShowsNoBox) {
  AddFontFile("C:\\Windows\\Fonts\\a.ttf");
  Install("Ay", "a.ttf");
  SetValue("Later (TrueType)", "later.ttf");
  os.FailListValues(sys::Hive::LocalMachine, kFontsKey, 1);
  WStrings warnings;
  list.OnTrouble = [&warnings](std::wstring_view warning) { warnings.emplace_back(warning); };

  EXPECT_EQ(ScanNames(), (Strings{"Ay"}));
  os.FailFind("C:\\Empty");
  os.AddDirectory("C:\\Empty");
  list.SetMode(flmBrowse);
  list.SetPath("C:\\Empty");

  EXPECT_TRUE(os.Messages().empty());
  EXPECT_EQ(warnings, (WStrings{kRegistryTrouble, kFolderTrouble}));
}

TEST_F(InstalledScanTest, ProgressAppearsFromFortyOneValues) {
  for (int i = 0; i < 40; ++i) Install("Font " + std::to_string(i), "f" + std::to_string(i) + ".ttf");
  EXPECT_EQ(ScanNames().size(), 40u);
  EXPECT_EQ(progress.Count(), 0);

  // Values of every type count towards the bar; each is a step.
  SetValue("Small Fonts", "SMALLE.FON");
  list.Scan();
  ExpectOneFinishedBar(41);
}

}  // namespace
