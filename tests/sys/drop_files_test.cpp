// Dropped-file lists as bytes, and the memory clipboard that keeps them.
#include <gtest/gtest.h>

#include "sys/DropFiles.h"
#include "sys/memory/MemoryBackend.h"

namespace {

std::string Header(uint32_t offset, bool wide = false) {
  std::string header = sys::MakeDropFiles({}).substr(0, sys::kDropFilesHeader);
  header[0] = static_cast<char>(offset);
  header[16] = wide ? 1 : 0;
  return header;
}

// Blocks that lie are refused on every backend's clipboard: the contract suite.
TEST(DropFiles, NamesStartWhereTheHeaderSaysAndAMadeBlockLeavesEmptyNamesOut) {
  sys::DroppedFiles dropped;
  ASSERT_TRUE(sys::ParseDropFiles(Header(24) + "junkx.ttf" + '\0' + '\0', dropped));
  EXPECT_EQ(dropped.names, std::vector<std::string>{"x.ttf"});

  const std::string block = sys::MakeDropFiles({"C:\\a.ttf", "", "C:\\b.ttf"});
  EXPECT_EQ(block.size(), 20u + 18u + 1u);
  ASSERT_TRUE(sys::ParseDropFiles(block, dropped));
  EXPECT_EQ(dropped.names, (std::vector<std::string>{"C:\\a.ttf", "C:\\b.ttf"}));
}

TEST(MemoryClipboard, AClipboardThatWillNotOpenKeepsWhatItHeldAndPropertiesAreRecorded) {
  sys::MemoryBackend os;
  ASSERT_TRUE(os.SetClipboardFiles({"C:\\a.ttf"}));
  os.FailClipboard();
  EXPECT_FALSE(os.SetClipboardFiles({"C:\\b.ttf"}));
  sys::DroppedFiles dropped;
  EXPECT_FALSE(os.GetClipboardFiles(dropped));
  EXPECT_EQ(os.ClipboardData(15), sys::MakeDropFiles({"C:\\a.ttf"}));

  EXPECT_TRUE(os.ShowFileProperties("C:\\Fonts\\a.ttf"));
  EXPECT_EQ(os.PropertiesShown(), std::vector<std::string>{"C:\\Fonts\\a.ttf"});
}

}  // namespace
