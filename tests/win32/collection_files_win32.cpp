// Collection files written and read back through the real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "data/Collections.h"
#include "data/FontFileList.h"
#include "sys/sys.h"

namespace {

std::string ReadAll(const std::string& path) {
  auto file = sys::Current().OpenRead(path);
  if (!file) return "<missing>";
  std::string content(1 << 16, '\0');
  size_t got = 0;
  file->ReadAt(0, content.data(), content.size(), got);
  content.resize(got);
  return content;
}

class RealCollectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = "C:\\vlm-coll-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(sys::Current().MakeDirectory(dir_));
  }
  void TearDown() override {
    std::vector<sys::FindEntry> entries;
    sys::Current().FindFiles(dir_ + "*", entries);
    for (const auto& entry : entries) {
      if (!entry.IsDirectory()) sys::Current().RemoveFile(dir_ + entry.name);
    }
    ::RemoveDirectoryA(dir_.c_str());
  }
  std::string dir_;
};

TEST_F(RealCollectionTest, SavedFileHasExactlyTheWrittenFormAndLoadsBack) {
  TFontFileList list;
  list.AddFileWithName("C:\\Fonts\\b.ttf", "\xCB\xCE\xCC\xE5, Bold");  // GBK name
  list.AddFileWithName("C:\\Fonts\\a.ttf", "Ay");
  const std::string file = dir_ + "Mine.VLM";
  ASSERT_TRUE(list.SaveCollection(file));
  const std::string written =
      "\"\xCB\xCE\xCC\xE5, Bold\",\"C:\\Fonts\\b.ttf\"\r\n\"Ay\",\"C:\\Fonts\\a.ttf\"\r\n";
  EXPECT_EQ(ReadAll(file), written);

  TFontFileList again;
  ASSERT_TRUE(again.LoadCollection(file));
  ASSERT_EQ(again.Count(), 2);
  EXPECT_EQ(again.Items(0)->FontName(), "\xCB\xCE\xCC\xE5, Bold");
  EXPECT_EQ(again.Items(1)->FileName(), "C:\\Fonts\\a.ttf");

  // Saving again replaces the file; nothing is left beside it.
  again.AddFileWithName("C:\\Fonts\\c.ttf", "Cee");
  ASSERT_TRUE(again.SaveCollection(file));
  EXPECT_EQ(ReadAll(file), written + "\"Cee\",\"C:\\Fonts\\c.ttf\"\r\n");
  std::vector<sys::FindEntry> entries;
  sys::Current().FindFiles(dir_ + "*", entries);
  int files = 0;
  for (const auto& entry : entries) files += entry.IsDirectory() ? 0 : 1;
  EXPECT_EQ(files, 1);
}

TEST_F(RealCollectionTest, CreateRefusesAnExistingCollectionWith183) {
  ASSERT_TRUE(CreateCollection(dir_, "New"));
  EXPECT_EQ(ReadAll(dir_ + "New.VLM"), "");
  sys::Current().SetLastError(0);
  EXPECT_FALSE(CreateCollection(dir_, "NEW"));
  EXPECT_EQ(sys::Current().LastError(), 183u);
}

TEST_F(RealCollectionTest, ANameWhoseDoubleByteCharacterEndsInABackslashByteIsAName) {
  const std::string name = "\x81\x5C";  // one character in code page 936
  ASSERT_TRUE(CreateCollection(dir_, name));
  EXPECT_EQ(ListCollectionNames(dir_), std::vector<std::string>{name});
  DeleteCollection(dir_, name, true);
  EXPECT_TRUE(ListCollectionNames(dir_).empty());
}

TEST_F(RealCollectionTest, ReferencesFollowARenamedFont) {
  const std::string one = dir_ + "One.VLM";
  const std::string other = dir_ + "Other.VLM";
  TFontFileList list;
  list.AddFileWithName("C:\\Fonts\\old.ttf", "Old");
  ASSERT_TRUE(list.SaveCollection(one));
  const std::string untouched = "Loose,C:\\Fonts\\x.ttf\n";
  {
    auto out = sys::Current().CreateWrite(other);
    ASSERT_TRUE(out && out->Write(untouched) && out->Close());
  }
  RewriteCollectionReferences(dir_, "c:\\fonts\\OLD.TTF", "C:\\Fonts\\new.ttf");
  EXPECT_EQ(ReadAll(one), "\"Old\",\"C:\\Fonts\\new.ttf\"\r\n");
  EXPECT_EQ(ReadAll(other), untouched);
}

TEST_F(RealCollectionTest, CollectionInUseIsKeptWhenSavingFails) {
  const std::string file = dir_ + "InUse.VLM";
  TFontFileList list;
  list.AddFileWithName("C:\\Fonts\\a.ttf", "Ay");
  ASSERT_TRUE(list.SaveCollection(file));
  list.AddFileWithName("C:\\Fonts\\b.ttf", "Bee");
  {
    // Another program holds the file open without sharing it.
    HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(list.SaveCollection(file));
    ::CloseHandle(held);
  }
  EXPECT_EQ(ReadAll(file), "\"Ay\",\"C:\\Fonts\\a.ttf\"\r\n");
  EXPECT_FALSE(sys::Current().FileExists(file + ".tmp"));
}

}  // namespace
