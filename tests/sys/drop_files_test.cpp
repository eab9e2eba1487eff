// Dropped-file lists from anywhere: what a block that lies is read as.
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

TEST(DropFiles, BlocksThatLieAreReadOnlyAsFarAsTheyHoldEmptyNamesAreLeftOut) {
  sys::DroppedFiles dropped;
  EXPECT_FALSE(sys::ParseDropFiles(std::string(19, '\0'), dropped)) << "header cut short";
  EXPECT_FALSE(sys::ParseDropFiles(Header(40) + "a" + '\0', dropped)) << "names past the end";
  // A list without its final NUL, and a last name without its own.
  ASSERT_TRUE(sys::ParseDropFiles(Header(20) + "C:\\a.ttf" + '\0' + "C:\\b", dropped));
  EXPECT_EQ(dropped.names, std::vector<std::string>{"C:\\a.ttf"});
  // Names start where the header says, not after it; an odd byte ends a wide list.
  ASSERT_TRUE(sys::ParseDropFiles(Header(24) + "junkx.ttf" + '\0' + '\0', dropped));
  EXPECT_EQ(dropped.names, std::vector<std::string>{"x.ttf"});
  ASSERT_TRUE(sys::ParseDropFiles(Header(20, true) + std::string("a\0\0\0b", 5), dropped));
  EXPECT_EQ(dropped.names, std::vector<std::string>{"a"});

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
