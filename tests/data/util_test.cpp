// Folders, the installed-font key, errors, shell operations and text helpers.
#include <gtest/gtest.h>

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "tests/support/ScopedCodePage.h"
#include "sys/memory/MemoryBackend.h"

namespace {

using sys::Hive;

class UtilTest : public ::testing::Test {
 protected:
  UtilTest() : guard_(os) {}
  void SetShellFolder(const char* name, const char* value) {
    os.SetValue(Hive::CurrentUser, kShellFoldersKey, name, value);
  }
  sys::MemoryBackend os;
  sys::ScopedBackend guard_;
};

TEST_F(UtilTest, FoldersComeFromShellFoldersWithOneBackslashElseThePlatformDefaults) {
  EXPECT_EQ(GetFontsFolder(), "C:\\WinNT\\Fonts\\");
  EXPECT_EQ(GetPersonalFolder(), "C:\\My Documents\\");
  os.SetValue(Hive::CurrentUser, kShellFoldersKey, "Fonts", "\x01\x02", sys::kRegBinary);
  EXPECT_EQ(GetFontsFolder(), "C:\\WinNT\\Fonts\\");

  SetShellFolder("Fonts", "D:\\Fonts");
  SetShellFolder("Personal", "E:\\Docs\\");
  EXPECT_EQ(GetFontsFolder(), "D:\\Fonts\\");
  EXPECT_EQ(GetPersonalFolder(), "E:\\Docs\\");
  os.FailKey(Hive::CurrentUser, kShellFoldersKey);
  EXPECT_EQ(GetFontsFolder(), "C:\\WinNT\\Fonts\\");

  os.SetPlatformId(1);
  EXPECT_FALSE(IsWindowsNT());
  EXPECT_EQ(GetFontsFolder(), "C:\\Windows\\Fonts\\");
  EXPECT_EQ(GetPersonalFolder(), "C:\\My Documents\\");
  os.SetPlatformId(-1);  // the version query failed
  EXPECT_FALSE(IsWindowsNT());
}

TEST_F(UtilTest, CollectionsFolderHasNoDefault) {
  EXPECT_EQ(GetCollectionsFolder(), "");
  os.SetValue(Hive::LocalMachine, kVelmaraKey, "Collections Folder", "C:\\Coll");
  EXPECT_EQ(GetCollectionsFolder(), "C:\\Coll\\");
  os.DenyHive(Hive::LocalMachine);
  EXPECT_EQ(GetCollectionsFolder(), "");
}

TEST_F(UtilTest, FontsKeyPrefersTheNtKeyWhenItOpens) {
  const std::string nt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  const std::string win = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
  EXPECT_EQ(GetFontsRegKey(), win);  // NT family, but its key is missing
  EXPECT_FALSE(os.KeyExists(Hive::LocalMachine, nt)) << "looking must not create the key";
  os.OpenKey(Hive::LocalMachine, nt, true);
  EXPECT_EQ(GetFontsRegKey(), nt);
  os.SetPlatformId(1);
  EXPECT_EQ(GetFontsRegKey(), win);
}

TEST(FontRegValueName, KeepsFortyCharactersNeverSplittingADoubleByteOne) {
  EXPECT_EQ(FontRegValueName("Liberation S"), "Liberation S (TrueType)");
  const std::string name45 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopq";  // 43
  EXPECT_EQ(FontRegValueName(name45 + "rs"), name45.substr(0, 40) + " (TrueType)");
  EXPECT_EQ(FontRegValueName(""), " (TrueType)");

  ScopedCodePage codePage(936);
  // 39 single bytes, then a two-byte character that would straddle the limit.
  const std::string name = std::string(39, 'a') + "\xD6\xD0" + "b";
  EXPECT_EQ(FontRegValueName(name), std::string(39, 'a') + " (TrueType)");
}

TEST_F(UtilTest, SysErrorTextFormatsTheLastErrorShowErrorAddsItOnItsOwnLine) {
  os.SetLastError(0);
  EXPECT_EQ(SysErrorText(), "");
  os.SetLastError(2);
  EXPECT_EQ(SysErrorText(), Trim("(2) " + os.ErrorMessage(2)));
  EXPECT_NE(os.ErrorMessage(2), "");
  EXPECT_NE(SysErrorText().back(), '\n');
  os.SetLastError(0x80070002);  // only the low word counts
  EXPECT_EQ(SysErrorText().substr(0, 4), "(2) ");

  os.SetLastError(5);
  ShowError(L"无法安装", true);
  os.SetLastError(0);
  ShowError(L"无法安装", true);
  ShowError(L"只有消息", false);
  ASSERT_EQ(os.Messages().size(), 3u);
  EXPECT_EQ(os.Messages()[0].text, L"无法安装\r\n" + sys::Widen(Trim("(5) " + os.ErrorMessage(5))));
  EXPECT_EQ(os.Messages()[1].text, L"无法安装\r\n");
  EXPECT_EQ(os.Messages()[2].text, L"只有消息");
  for (const auto& m : os.Messages()) {
    EXPECT_EQ(m.caption, L"Error");
    EXPECT_EQ(m.flags, 0x2010u);
  }
}

TEST_F(UtilTest, ShellFileOpPassesNulEndedLists) {
  EXPECT_EQ(ShellFileOp(sys::kFoDelete, 0x50, " \t", ""), 0);
  EXPECT_TRUE(os.ShellOps().empty()) << "a blank source calls nothing";
  EXPECT_EQ(ShellFileOpList(sys::kFoDelete, 0x50, {}, ""), 0);
  EXPECT_TRUE(os.ShellOps().empty()) << "an empty list calls nothing";

  os.AddFile("C:\\A.TTF", "a");
  os.AddFile("C:\\B.TTF", "b");
  EXPECT_EQ(ShellFileOpList(sys::kFoDelete, 0x50, {"C:\\A.TTF", "C:\\B.TTF"}, ""), 0);
  ASSERT_EQ(os.ShellOps().size(), 1u);
  EXPECT_EQ(os.ShellOps()[0].op, unsigned(sys::kFoDelete));
  EXPECT_EQ(os.ShellOps()[0].flags, 0x50);
  EXPECT_EQ(os.ShellOps()[0].from, (std::vector<std::string>{"C:\\A.TTF", "C:\\B.TTF"}));
  EXPECT_FALSE(os.HasFile("C:\\A.TTF"));

  os.FailShellOps(1223);
  os.AddFile("C:\\C.TTF", "c");
  EXPECT_EQ(ShellFileOp(sys::kFoRename, 0x40, "C:\\C.TTF", "C:\\D.TTF"), 1223);
}

TEST(TextHelpers, SplitAtCutsTheHeadExtractFieldTakesQuotedOrPlainOnes) {
  std::string line = "a, b, c";
  EXPECT_EQ(SplitAt(line, ", "), "a");
  EXPECT_EQ(line, "b, c");
  line = "no separator";
  EXPECT_EQ(SplitAt(line, ","), "no separator");
  EXPECT_EQ(line, "");
  line = "loop";
  EXPECT_EQ(SplitAt(line, ""), "loop") << "an empty separator must not leave the line as it was";
  EXPECT_EQ(line, "");

  line = "\"Arial\",\"C:\\FONTS\\ARIAL.TTF\"";
  EXPECT_EQ(ExtractField(line, ","), "Arial");
  EXPECT_EQ(line, "\"C:\\FONTS\\ARIAL.TTF\"");
  EXPECT_EQ(ExtractField(line, ","), "C:\\FONTS\\ARIAL.TTF");
  EXPECT_EQ(line, "");
  EXPECT_EQ(ExtractField(line, ","), "");

  line = "Arial,C:\\X.TTF";
  EXPECT_EQ(ExtractField(line, ","), "Arial");
  EXPECT_EQ(ExtractField(line, ","), "C:\\X.TTF");
  EXPECT_EQ(line, "");

  line = " Arial ,x";
  EXPECT_EQ(ExtractField(line, ","), " Arial ") << "plain fields are not trimmed";

  line = "\"Unclosed, name";
  EXPECT_EQ(ExtractField(line, ","), "Unclosed, name");
  EXPECT_EQ(line, "");

  line = "\"A \"junk , \t next \r\n";
  EXPECT_EQ(ExtractField(line, ","), "A ");
  EXPECT_EQ(line, "next");
}

TEST(TextHelpers, SmallOnes) {
  EXPECT_EQ(IncludeTrailingBackslash(""), "");
  EXPECT_EQ(IncludeTrailingBackslash("C:"), "C:\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\X\\"), "C:\\X\\");
  EXPECT_EQ(StripAmpersand("&&File"), "&File");
  EXPECT_EQ(StripAmpersand("Fi&le"), "File");
  EXPECT_EQ(EnsureLeadingDot(""), "");
  EXPECT_EQ(EnsureLeadingDot("TTF"), ".TTF");
  EXPECT_EQ(EnsureLeadingDot(".TTF"), ".TTF");
  EXPECT_EQ(FileNameNoExt("C:\\Coll\\My Fonts.VLM"), "My Fonts");
  EXPECT_EQ(FileNameNoExt("C:\\Coll\\NoExtension"), "NoExtension");
  EXPECT_EQ(FileNameNoExt("C:\\Dir.X\\Name"), "Name");
  EXPECT_EQ(FileNameNoExt("C:Name.a.b"), "Name.a");
  EXPECT_EQ(Trim("\r\n\t x y \0"), "x y");
  EXPECT_EQ(Trim(" \x01 "), "");
  EXPECT_TRUE(SameText("c:\\fonts\\a.ttf", "C:\\FONTS\\A.TTF"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_EQ(ExtractFilePath("C:\\X\\Y.TTF"), "C:\\X\\");
  EXPECT_EQ(ExtractFilePath("Y.TTF"), "");
  EXPECT_EQ(ExtractFileName("C:Y.TTF"), "Y.TTF");
  EXPECT_EQ(ExtractFileExt("C:\\X.D\\Y"), "");
  EXPECT_EQ(ExtractFileExt("C:\\X\\Y.ttf"), ".ttf");

  EXPECT_EQ(ReplacePercent("正在读 % 种字体...", "12"), "正在读 12 种字体...");
  EXPECT_EQ(ReplacePercent("% of %", "5"), "5 of %");
  EXPECT_EQ(ReplacePercent("none", "5"), "none");
  EXPECT_EQ(ReplacePercent("%", "a%b"), "a%b") << "the value is not scanned again";
  EXPECT_EQ(ReplacePercent(L"正在读 % 种字体...", L"12"), L"正在读 12 种字体...");
  EXPECT_EQ(ReplacePercent(L"%%", L"x"), L"x%");
}

TEST(TextHelpers, DoubleByteCharactersStayWhole) {
  ScopedCodePage codePage(936);
  // 0x815C is one character whose second byte looks like a backslash, and
  // 0x8161 one whose second byte looks like "a".
  const std::string folder = "C:\\\x81\x5C";
  EXPECT_EQ(IncludeTrailingBackslash(folder), folder + "\\");
  EXPECT_EQ(ExtractFileName(folder + "\\x.ttf"), "x.ttf");
  EXPECT_EQ(ExtractFileName(folder), "\x81\x5C");
  EXPECT_EQ(ExtractFilePath(folder), "C:\\");
  EXPECT_EQ(UpperAscii("a\x81\x61z"), "A\x81\x61Z");
  EXPECT_FALSE(SameText("\x81\x61", "\x81\x41"));
}

}  // namespace
