// The data layer against the real system under Wine: the prefix's folders and
// installed-font table, Debian's fonts on drive Z:, and unreadable paths.
#include <gtest/gtest.h>
#include <windows.h>

#include "data/FontFileInfo.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tests/support/RealFonts.h"

namespace {

class WineDataTest : public ::testing::Test {
 protected:
  sys::ScopedBackend platform_{sys::DefaultBackend()};
};

TEST_F(WineDataTest, TheChineseCodePageFoldersAndTheInstalledFontKey) {
  // Our Wine runs use the Chinese locale; the data strings depend on it.
  EXPECT_EQ(::GetACP(), 936u);
  EXPECT_EQ(sys::CodePage(), 936u);
  EXPECT_TRUE(IsWindowsNT());
  EXPECT_EQ(GetFontsRegKey(), "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
  const std::string fonts = GetFontsFolder();
  EXPECT_EQ(fonts.back(), '\\');
  EXPECT_TRUE(sys::Current().DirectoryExists(fonts)) << fonts;
  EXPECT_EQ(GetPersonalFolder().back(), '\\');
}

TEST_F(WineDataTest, DebianFontsAreInstalledFromOutsideTheFontsFolder) {
  for (const RealFont* font : kRealFonts) {
    if (!RealFontPresent(*font)) continue;
    TFontFileInfo record;
    record.SetFileName(WinePath(font->unixPath));
    EXPECT_TRUE(record.Installed()) << font->fontName;
    EXPECT_FALSE(record.InFontsFolder()) << "Wine lists them by their Z: paths";
    ExpectRealFont(record, *font);

    TFontFileInfo named;  // as the scan of the installed-font table makes them
    named.SetFileNameAndName(WinePath(font->unixPath), font->fontName);
    EXPECT_TRUE(named.Installed());
    EXPECT_FALSE(named.Bad());
    EXPECT_FALSE(named.InfoRead());
  }
}

TEST_F(WineDataTest, UnreadablePathsAndFilesDeletedAfterListingGiveBadRecordsWithTheSystemsText) {
  TFontFileInfo missing;
  missing.SetFileName("C:\\windows\\Fonts\\no such font.ttf");
  EXPECT_TRUE(missing.Bad());
  EXPECT_EQ(missing.FontName().substr(0, 4), "(2) ");
  EXPECT_GT(missing.FontName().size(), 4u);
  EXPECT_GT(static_cast<unsigned char>(missing.FontName().back()), ' ');

  TFontFileInfo folder;
  folder.SetFileName("C:\\windows");
  EXPECT_TRUE(folder.Bad());
  EXPECT_NE(folder.FontName(), "");

  TFontFileInfo tooLong;
  tooLong.SetFileName("C:\\" + std::string(300, 'x') + ".ttf");
  EXPECT_TRUE(tooLong.Bad());
  EXPECT_NE(tooLong.FontName(), "");

  // A file deleted after listing becomes bad on its first read.
  const std::string path = ExtractFilePath(sys::Current().ProgramPath()) + "vlm-data-test-deleted.ttf";
  {
    auto out = sys::Current().CreateWrite(path);
    ASSERT_TRUE(out);
    out->Write("not read");
    ASSERT_TRUE(out->Close());
  }
  TFontFileInfo record;
  record.SetFileNameAndName(path, "Listed Font");
  EXPECT_FALSE(record.Bad());
  ASSERT_TRUE(sys::Current().RemoveFile(path));
  EXPECT_EQ(record.UnitsPerEm(), 0);
  EXPECT_TRUE(record.Bad());
  EXPECT_EQ(record.FontName().substr(0, 4), "(2) ");
}

}  // namespace
