// A collection whose file cannot be written back: the user is told, and the
// file keeps what it held.
#include <string>
#include <vector>

#include "data/FontListOps.h"
#include "tests/data/fileops_fixture.h"

namespace {

TEST_F(FileOpsTest, AFailedCollectionSaveIsToldAndTheFileKeepsWhatItHeld) {
  const std::string file = "C:\\Coll\\Mine.VLM", held = "\"Alpha\",\"D:\\Src\\a.ttf\"\r\n";
  os.AddDirectory("C:\\Coll");
  AddFont("D:\\Src\\a.ttf", "Alpha");
  AddFont("D:\\Src\\b.ttf", "Beta");
  os.AddFile(file, held);
  TFontFileList list;
  list.SetMode(flmCollection);
  list.SetPath("C:\\Coll\\");
  list.SetCollection("Mine");
  ASSERT_EQ(list.Count(), 1);
  os.FailMove(file);
  TFontListOps ops(list, nullptr);

  const auto told = [this](size_t count) {
    ASSERT_EQ(os.Messages().size(), count);
    EXPECT_EQ(os.Messages().back().text.rfind(L"不能保存藏品 \"Mine\".\r\n", 0), 0u)
        << "the reason follows";
  };
  ops.AddFiles({"D:\\Src\\b.ttf"});
  told(1);
  EXPECT_EQ(list.Count(), 2);
  ops.DeleteFonts({list.Items(0)}, false);
  told(2);
  EXPECT_EQ(os.FileContent(file), held);
  EXPECT_FALSE(os.HasFile(file + ".tmp"));
}

TEST_F(FileOpsTest, ACollectionReadInPartWarnsAndIsNotWrittenUntilReadWhole) {
  const std::string file = "C:\\Coll\\Mine.VLM", locked = "C:\\Coll\\Locked.VLM";
  constexpr int kLines = 3000;  // beyond one read
  std::string held;
  for (int i = 0; i < kLines; ++i)
    held += "\"F" + std::to_string(i) + "\",\"D:\\Src\\f" + std::to_string(i) + ".ttf\"\r\n";
  os.AddFile(file, held);
  os.AddFile(locked, held);
  AddFont("D:\\Src\\new.ttf", "New");
  os.FailReadAfter(file, held.size() - 10);
  os.LockFile(locked);
  const std::wstring refusal = L"不能保存藏品 \"Mine\".\r\n藏品文件没有被完整读出: 保存它会丢失其余的字体. "
                               L"请在能完整读出它 (刷新) 之后再试.";

  TFontFileList list;
  list.SetMode(flmCollection);
  list.SetPath("C:\\Coll\\");
  list.SetCollection("Mine");
  ExpectOneWarning(kFolderTrouble);
  const int count = list.Count();
  ASSERT_GT(count, 0);
  ASSERT_LT(count, kLines);
  TFontListOps ops(list, nullptr);
  ops.DeleteFonts({list.Items(0)}, false);
  ASSERT_EQ(os.Messages().size(), 2u);
  EXPECT_EQ(os.Messages()[1].text, refusal);
  EXPECT_EQ(os.Messages()[1].caption, L"Error");
  ops.AddFiles({"D:\\Src\\new.ttf"});
  EXPECT_EQ(os.Messages().size(), 3u);
  EXPECT_EQ(list.Count(), count) << "the list shows what the file holds";
  EXPECT_FALSE(list.SaveCollection());
  EXPECT_EQ(os.FileContent(file), held);

  // A file that will not open at all reads as nothing: no save may empty it.
  list.SetCollection("Locked");
  EXPECT_EQ(os.Messages().size(), 4u);
  EXPECT_EQ(list.Count(), 0);
  ops.AddFiles({"D:\\Src\\new.ttf"});
  EXPECT_EQ(os.Messages().size(), 5u);
  EXPECT_EQ(os.FileContent(locked), held);

  // Read whole again, it is written again.
  os.FailReadAfter(file, UINT64_MAX);
  list.SetCollection("Mine");
  EXPECT_EQ(list.Count(), kLines);
  ops.DeleteFonts({list.Items(0)}, false);
  EXPECT_EQ(os.Messages().size(), 5u);
  EXPECT_EQ(os.FileContent(file).size(), held.size() - held.find('\n') - 1);
}

}  // namespace
