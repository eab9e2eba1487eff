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

}  // namespace
