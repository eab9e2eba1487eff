// Scans through the real system: a folder tree of real fonts and the
// installed-font table of the Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "data/FontFileList.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"
#include "tests/win32/fileops_scratch.h"

namespace {

constexpr const char* kSystemFonts = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";

void ExpectSortedByName(const TFontFileList& list) {
  for (int i = 1; i < list.Count(); ++i)
    EXPECT_LE(UpperAscii(list.Items(i - 1)->FontName()), UpperAscii(list.Items(i)->FontName()));
}

class RealScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& os = sys::Current();
    std::vector<sys::FindEntry> found;
    os.FindFiles(std::string(kSystemFonts) + "*.ttf", found);
    if (found.size() < 3) GTEST_SKIP() << "no DejaVu fonts to copy";
    // root: two fonts; root\A: one; root\A\B: the rest.
    const std::vector<std::string> folders = {root_, root_ + "A\\", root_ + "A\\B\\"};
    for (size_t f = 1; f < folders.size(); ++f) ASSERT_TRUE(os.MakeDirectory(folders[f])) << folders[f];
    for (size_t i = 0; i < found.size(); ++i) {
      const std::string copy = folders[i < 2 ? 0 : i < 3 ? 1 : 2] + found[i].name;
      ASSERT_TRUE(os.CopyFileTo(kSystemFonts + found[i].name, copy, false)) << copy;
    }
    fonts_ = static_cast<int>(found.size());
    os.CopyFileTo(root_ + found[0].name, root_ + "not a font.txt", false);
  }

  scratch::Folder folder_{"vlm-scan"};
  const std::string root_ = folder_.Path();
  int fonts_ = 0;
};

TEST_F(RealScanTest, FolderTreeScanReadsEveryFontsNameAndAMissingFileIsABadRecordWithTheSystemsText) {
  TFontFileList list;
  list.SetPath(root_);
  EXPECT_EQ(list.Count(), 2);

  list.SetInclSubfolders(true);
  ASSERT_EQ(list.Count(), fonts_);
  for (int i = 0; i < list.Count(); ++i) {
    const TFontFileInfo& record = *list.Items(i);
    EXPECT_FALSE(record.Bad()) << record.FileName() << ": " << record.FontName();
    EXPECT_EQ(record.FontName().rfind("DejaVu", 0), 0u) << record.FontName();
    EXPECT_FALSE(record.InfoRead());
  }
  ExpectSortedByName(list);

  list.SetInclSubfoldersDepth(1);
  list.Scan();
  EXPECT_EQ(list.Count(), 3);

  TFontFileList missing;
  missing.AddFile(root_ + "gone.ttf");
  ASSERT_EQ(missing.Count(), 1);
  EXPECT_TRUE(missing.Items(0)->Bad());
  EXPECT_EQ(missing.Items(0)->FontName().rfind("(2) ", 0), 0u) << missing.Items(0)->FontName();
}

TEST(RealInstalledScan, ListsThePrefixsInstalledFonts) {
  TFontFileList list;
  list.SetMode(flmInstalled);
  ASSERT_GT(list.Count(), 0) << "Wine lists the machine's fonts";
  int good = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const TFontFileInfo& record = *list.Items(i);
    EXPECT_EQ(UpperAscii(ExtractFileExt(record.FileName())), ".TTF") << record.FileName();
    EXPECT_FALSE(ExtractFilePath(record.FileName()).empty()) << record.FileName();
    if (!record.Bad() && record.Installed() && !record.Bodgey()) ++good;
  }
  EXPECT_GT(good, 0);
  ExpectSortedByName(list);
  EXPECT_EQ(list.Path(), GetFontsFolder());
}

}  // namespace
