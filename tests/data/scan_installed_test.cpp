// The scan of the installed-font table.
#include <string>

#include "data/VLMUtil.h"
#include "tests/data/scan_fixture.h"
#include "tests/support/TrueTypeWriter.h"

namespace {

class InstalledScanTest : public ScanTest {
 protected:
  void AddFontFile(const std::string& path) { os.AddFile(path, "not read"); }
};

TEST_F(InstalledScanTest, ListsTrueTypeValuesByNameWithoutOpeningFiles) {
  AddFontFile("C:\\Windows\\Fonts\\arial.ttf");
  AddFontFile("C:\\Elsewhere\\times.ttf");
  AddFontFile("C:\\Windows\\Fonts\\LOWER.ttf");
  Install("Arial", "arial.ttf");
  Install("Times New Roman", "C:\\Elsewhere\\times.ttf");
  Install("lower case", "LOWER.ttf");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Expand (TrueType)", "expand.ttf",
              sys::kRegExpandSz);
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Small Fonts", "SMALLE.FON");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Binary (TrueType)", "bin.ttf", sys::kRegBinary);
  const int opensBefore = os.Opens();

  TFontFileList list;
  list.SetMode(flmInstalled);

  EXPECT_EQ(list.Path(), kFontsDir);
  EXPECT_EQ(Names(list), (Strings{"Arial", "lower case", "Times New Roman"}));
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

TEST_F(InstalledScanTest, SameFileListedTwiceGivesOneRecord) {
  AddFontFile("C:\\Windows\\Fonts\\arial.ttf");
  Install("Arial", "arial.ttf");
  Install("Arial Again", "C:\\WINDOWS\\FONTS\\ARIAL.TTF");

  TFontFileList list;
  list.SetMode(flmInstalled);

  EXPECT_EQ(Names(list), (Strings{"Arial"}));
}

TEST_F(InstalledScanTest, IrregularValueNamesMakeBodgeyRecords) {
  AddFontFile("C:\\Windows\\Fonts\\verdana.ttf");
  AddFontFile("C:\\Windows\\Fonts\\mid.ttf");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Verdana", "verdana.ttf");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Mid (TrueType) Bold", "mid.ttf");
  Install("Missing File", "gone.ttf");

  TFontFileList list;
  list.SetMode(flmInstalled);

  ASSERT_EQ(Names(list), (Strings{"Mid Bold", "Missing File", "Verdana"}));
  EXPECT_TRUE(list.Items(0)->Bodgey());
  EXPECT_FALSE(list.Items(0)->Installed());
  EXPECT_FALSE(list.Items(1)->Bodgey());
  EXPECT_TRUE(list.Items(1)->Bad());
  EXPECT_TRUE(list.Items(2)->Bodgey());
  EXPECT_FALSE(list.Items(2)->Installed());
}

TEST_F(InstalledScanTest, NamesOfFortyCharactersOrMoreAreReadFromTheFile) {
  const std::string cut(40, 'L');  // as the table keeps a longer name
  const std::string full = cut + " and the rest";
  os.AddFile("C:\\Windows\\Fonts\\long.ttf", tt::StandardFont(full).Build());
  os.AddFile("C:\\Windows\\Fonts\\short.ttf", tt::StandardFont("Name In File").Build());
  Install(cut, "long.ttf");
  Install(std::string(38, 'S'), "short.ttf");

  TFontFileList list;
  list.SetMode(flmInstalled);

  ASSERT_EQ(Names(list), (Strings{full, std::string(38, 'S')}));
  EXPECT_TRUE(list.Items(0)->Installed()) << "the cut name is the name the table holds";
  EXPECT_FALSE(list.Items(0)->Bodgey());
  EXPECT_TRUE(list.Items(1)->Installed());
}

TEST_F(InstalledScanTest, NameCutBeforeADoubleByteCharacterIsReadFromTheFile) {
  // 37 letters and two Chinese characters: the table keeps 39 bytes.
  const std::string full = std::string(37, 'L') + "\xD6\xD0\xCE\xC4";
  os.AddFile("C:\\Windows\\Fonts\\cjk.ttf",
             tt::StandardFont(std::string(37, 'L') + "\u4E2D\u6587").Build());
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, FontRegValueName(full), "cjk.ttf");
  ASSERT_EQ(FontRegValueName(full), std::string(37, 'L') + "\xD6\xD0 (TrueType)");

  TFontFileList list;
  list.SetMode(flmInstalled);

  ASSERT_EQ(Names(list), (Strings{full}));
  EXPECT_TRUE(list.Items(0)->Installed());
  EXPECT_FALSE(list.Items(0)->Bodgey());
}

TEST_F(InstalledScanTest, LongNameWhoseFileHoldsAnotherIsBodgey) {
  const std::string listed(45, 'X');
  os.AddFile("C:\\Windows\\Fonts\\other.ttf", tt::StandardFont("Something Else").Build());
  Install(listed, "other.ttf");

  TFontFileList list;
  list.SetMode(flmInstalled);

  ASSERT_EQ(Names(list), (Strings{"Something Else"}));
  EXPECT_FALSE(list.Items(0)->Installed());
  EXPECT_TRUE(list.Items(0)->Bodgey());
}

TEST_F(InstalledScanTest, MissingKeyGivesEmptyListAndNoMessage) {
  os.FailKey(sys::Hive::LocalMachine, kFontsKey);
  os.FailKey(sys::Hive::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts");
  TFontFileList list;
  list.SetMode(flmInstalled);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(os.Messages().empty());
}

TEST_F(InstalledScanTest, ListingFailureWarnsOnceAndKeepsWhatWasRead) {
  AddFontFile("C:\\Windows\\Fonts\\a.ttf");
  AddFontFile("C:\\Windows\\Fonts\\b.ttf");
  Install("Bee", "b.ttf");
  Install("Ay", "a.ttf");
  os.FailListValues(sys::Hive::LocalMachine, kFontsKey, 1);

  TFontFileList list;
  list.SetMode(flmInstalled);

  EXPECT_EQ(Names(list), (Strings{"Bee"}));
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text,
            L"Velmara 在从你的注册表中读取字体信息  时遇到问题.\r\n\r\n"
            L"请尝试从控制面板中打开 Fonts 文件夹去修正这个注册表的分支.");
  EXPECT_EQ(os.Messages()[0].caption, L"警告   ");
  EXPECT_EQ(os.Messages()[0].flags, 0x2030u);
}

TEST_F(InstalledScanTest, AListThatTakesItsWarningShowsNoBox) {
  AddFontFile("C:\\Windows\\Fonts\\a.ttf");
  Install("Ay", "a.ttf");
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Later (TrueType)", "later.ttf");
  os.FailListValues(sys::Hive::LocalMachine, kFontsKey, 1);
  WStrings warnings;
  TFontFileList list;
  list.OnTrouble = [&warnings](std::wstring_view warning) { warnings.emplace_back(warning); };

  list.SetMode(flmInstalled);
  EXPECT_EQ(Names(list), (Strings{"Ay"}));
  os.FailFind("C:\\Empty");
  os.AddDirectory("C:\\Empty");
  list.SetMode(flmBrowse);
  list.SetPath("C:\\Empty");

  EXPECT_TRUE(os.Messages().empty());
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0], L"Velmara 在从你的注册表中读取字体信息  时遇到问题.\r\n\r\n"
                         L"请尝试从控制面板中打开 Fonts 文件夹去修正这个注册表的分支.");
  EXPECT_EQ(warnings[1], L"Velmara 在从你的注册表中读取字体信息 在你的计算机中.\r\n\r\n"
                         L"它可以在你的计算机中运行 ScanDisk 程序来进行检查并修正你的文件系统中的错误.");
}

TEST_F(InstalledScanTest, ProgressAppearsFromFortyOneValues) {
  for (int i = 0; i < 40; ++i) Install("Font " + std::to_string(i), "f" + std::to_string(i) + ".ttf");
  TFontFileList list;
  list.SetMode(flmInstalled);
  EXPECT_EQ(list.Count(), 40);
  EXPECT_EQ(progress.Count(), 0);

  // Values of every type count towards the bar; each is a step.
  os.SetValue(sys::Hive::LocalMachine, kFontsKey, "Small Fonts", "SMALLE.FON");
  list.Scan();
  ASSERT_EQ(progress.Count(), 1);
  const ProgressRecord& bar = progress.Last();
  EXPECT_TRUE(bar.shown);
  EXPECT_EQ(bar.captions, (WStrings{L"正在搜索字体文件夹...", L"正在读 41 种字体..."}));
  EXPECT_EQ(bar.maximum, 41);
  EXPECT_EQ(bar.steps, 41);
  EXPECT_TRUE(bar.destroyed);
}

}  // namespace
