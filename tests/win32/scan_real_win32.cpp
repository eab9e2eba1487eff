// Scans through the real system: a folder tree of real fonts and the
// installed-font table of the Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "data/FontFileList.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

constexpr const char* kSystemFonts = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";

class RealScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = "C:\\vlm-scan-" + std::to_string(::GetCurrentProcessId()) + "\\";
    auto& os = sys::Current();
    std::vector<sys::FindEntry> fonts;
    os.FindFiles(std::string(kSystemFonts) + "*.ttf", fonts);
    if (fonts.size() < 3) GTEST_SKIP() << "no DejaVu fonts to copy";
    // root: two fonts; root\A: one; root\A\B: the rest.
    const std::vector<std::string> folders = {root_, root_ + "A\\", root_ + "A\\B\\"};
    for (const auto& folder : folders) ASSERT_TRUE(os.MakeDirectory(folder)) << folder;
    made_ = folders;
    for (size_t i = 0; i < fonts.size(); ++i) {
      const std::string& folder = folders[i < 2 ? 0 : i < 3 ? 1 : 2];
      const std::string copy = folder + fonts[i].name;
      ASSERT_TRUE(os.CopyFileTo(kSystemFonts + fonts[i].name, copy, false)) << copy;
      copies_.push_back(copy);
    }
    os.CopyFileTo(copies_[0], root_ + "not a font.txt", false);
    copies_.push_back(root_ + "not a font.txt");
  }

  void TearDown() override {
    for (const auto& copy : copies_) sys::Current().RemoveFile(copy);
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) ::RemoveDirectoryA(it->c_str());
  }

  static void ExpectSortedByName(const TFontFileList& list) {
    for (int i = 1; i < list.Count(); ++i) {
      EXPECT_LE(UpperAscii(list.Items(i - 1)->FontName()), UpperAscii(list.Items(i)->FontName()));
    }
  }

  std::string root_;
  std::vector<std::string> made_;
  std::vector<std::string> copies_;
};

TEST_F(RealScanTest, FolderTreeScanReadsEveryFontsName) {
  TFontFileList list;
  list.SetPath(root_);
  EXPECT_EQ(list.Count(), 2);

  list.SetInclSubfolders(true);
  ASSERT_EQ(list.Count(), static_cast<int>(copies_.size()) - 1);
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
}

TEST_F(RealScanTest, MissingFileIsABadRecordWithTheSystemsText) {
  TFontFileList list;
  list.AddFile(root_ + "gone.ttf");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_TRUE(list.Items(0)->Bad());
  EXPECT_EQ(list.Items(0)->FontName().rfind("(2) ", 0), 0u) << list.Items(0)->FontName();
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
  for (int i = 1; i < list.Count(); ++i) {
    EXPECT_LE(UpperAscii(list.Items(i - 1)->FontName()), UpperAscii(list.Items(i)->FontName()));
  }
  EXPECT_EQ(list.Path(), GetFontsFolder());
}

}  // namespace
