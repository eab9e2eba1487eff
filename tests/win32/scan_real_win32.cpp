// Scans through the real system: a folder tree of real fonts and the
// installed-font table of the Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "data/FontFileList.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
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

TEST(RealInstalledScan, ListsEveryFontFileOfThePrefixsTableFaceByFace) {
  TFontFileList list;
  list.SetMode(flmInstalled);
  ASSERT_GT(list.Count(), 0) << "Wine lists the machine's fonts";
  // Every value naming a font file gives its file's faces; no other file comes in.
  std::set<std::string> tableFiles, listedFiles;
  std::vector<sys::RegValueInfo> values;
  ASSERT_TRUE(OpenFontsRegKey()->ListValues(values));
  for (const auto& value : values) {
    if (value.type != sys::kRegSz || !IsFontFileName(value.text)) continue;
    const bool bare = ExtractFilePath(value.text).empty();
    tableFiles.insert(UpperAscii(bare ? GetFontsFolder() + value.text : value.text));
  }
  int good = 0, secondFaces = 0;
  for (int i = 0; i < list.Count(); ++i) {
    TFontFileInfo& record = *list.Items(i);
    listedFiles.insert(UpperAscii(record.FileName()));
    EXPECT_FALSE(ExtractFilePath(record.FileName()).empty()) << record.FileName();
    if (!record.Bad() && record.Installed() && !record.Bodgey()) ++good;
    if (record.FaceIndex() == 1) {
      ++secondFaces;
      EXPECT_TRUE(record.Installed() && !record.Bodgey()) << record.FontName();
      EXPECT_TRUE(list.Contains(record.FileName(), 0)) << "its first face too";
    }
  }
  EXPECT_EQ(listedFiles, tableFiles);
  EXPECT_GT(good, 0);
  EXPECT_GE(secondFaces, 1) << "wqy-microhei.ttc, Wine's face for Chinese text, has two";
  ExpectSortedByName(list);
  EXPECT_EQ(list.Path(), GetFontsFolder());
}

// Each face of a collection added for the session is drawn by the name the
// record gives the system: the proportional face and the monospaced one.
TEST(RealCollectionFaces, EachFaceIsDrawnByItsOwnName) {
  const std::string file = "Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-microhei.ttc";
  if (!sys::Current().FileExists(file)) GTEST_SKIP() << "fonts-wqy-microhei is not installed";
  scratch::Folder folder{"vlm-faces"};
  const std::string copy = folder.Path() + "faces.ttc";
  ASSERT_TRUE(sys::Current().CopyFileTo(file, copy, false));
  ASSERT_GT(AddFontResourceA(copy.c_str()), 0);
  const auto widths = [](const std::string& face) {
    const std::wstring name = sys::Widen(face);
    HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name.c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"MMMM", 4, &wide);
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return std::make_tuple(narrow.cx, wide.cx, std::wstring(chosen));
  };
  TFontFileList list;
  list.AddFile(copy, 0);
  list.AddFile(copy, 1);
  ASSERT_EQ(list.Count(), 2);
  const auto [propNarrow, propWide, propFace] = widths(list.Items(0)->DisplayName());
  const auto [monoNarrow, monoWide, monoFace] = widths(list.Items(1)->DisplayName());
  RemoveFontResourceA(copy.c_str());
  EXPECT_EQ(propFace, sys::Widen(list.Items(0)->DisplayName()));
  EXPECT_EQ(monoFace, sys::Widen(list.Items(1)->DisplayName()));
  EXPECT_LT(propNarrow, propWide) << "proportional";
  EXPECT_EQ(monoNarrow, monoWide) << "monospaced";
}

// A CFF family's bold face is asked for by its family and its own weight, and
// the system gives the bold face itself, not the regular one made heavier.
TEST(RealCollectionFaces, AFamilysBoldFaceIsDrawnAsItself) {
  const std::string folder = "Z:\\usr\\share\\fonts\\opentype\\urw-base35\\";
  if (!sys::Current().FileExists(folder + "NimbusSans-Bold.otf")) GTEST_SKIP() << "fonts-urw-base35 is not installed";
  const auto drawn = [&](const std::string& file) {
    TFontFileInfo record;
    record.SetFileName(folder + file);
    const TFontFileInfo::TDrawnFace face = record.DrawnFace();
    const std::wstring name = sys::Widen(face.name);
    const TFontHandle font(CreateFontW(-100, 0, 0, 0, face.weight, face.italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                       name.c_str()));
    const TMemoryDC dc;
    const TSelectObject select(dc.Get(), font.Get());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), L"iiii", 4, &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    return std::make_tuple(face.weight, size.cx, static_cast<int>(metrics.tmItalic));
  };
  const auto [regularWeight, regularWidth, regularItalic] = drawn("NimbusSans-Regular.otf");
  const auto [boldWeight, boldWidth, boldItalic] = drawn("NimbusSans-Bold.otf");
  const auto [italicWeight, italicWidth, italicItalic] = drawn("NimbusSans-Italic.otf");
  EXPECT_EQ(regularWeight, 400);
  EXPECT_EQ(boldWeight, 700);
  // The bold face's i is a quarter wider (278 units against 222); a regular
  // face made heavier gains a pixel or two.
  EXPECT_GT(boldWidth * 100, regularWidth * 115) << boldWidth << " against " << regularWidth;
  EXPECT_EQ(regularItalic, 0);
  EXPECT_NE(italicItalic, 0);
}

}  // namespace
