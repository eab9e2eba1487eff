// Collection files written and read back through the real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "data/Collections.h"
#include "data/FontFileList.h"
#include "sys/sys.h"
#include "tests/win32/fileops_scratch.h"

namespace {

class RealCollectionTest : public ::testing::Test {
 protected:
  int FileCount() {
    std::vector<sys::FindEntry> entries;
    sys::Current().FindFiles(dir_ + "*", entries);
    int files = 0;
    for (const auto& entry : entries) files += entry.IsDirectory() ? 0 : 1;
    return files;
  }
  scratch::Folder folder_{"vlm-coll"};
  const std::string dir_ = folder_.Path();
};

TEST_F(RealCollectionTest, SavedFileHasExactlyTheWrittenFormLoadsBackAndIsKeptWhenSavingFails) {
  TFontFileList list;
  list.AddFileWithName("C:\\Fonts\\b.ttf", "\xCB\xCE\xCC\xE5, Bold");  // GBK name
  list.AddFileWithName("C:\\Fonts\\a.ttf", "Ay");
  const std::string file = dir_ + "Mine.VLM";
  ASSERT_TRUE(list.SaveCollection(file));
  const std::string written =
      "\"\xCB\xCE\xCC\xE5, Bold\",\"C:\\Fonts\\b.ttf\"\r\n\"Ay\",\"C:\\Fonts\\a.ttf\"\r\n";
  EXPECT_EQ(scratch::ReadAll(file), written);

  TFontFileList again;
  ASSERT_TRUE(again.LoadCollection(file));
  ASSERT_EQ(again.Count(), 2);
  EXPECT_EQ(again.Items(0)->FontName(), "\xCB\xCE\xCC\xE5, Bold");
  EXPECT_EQ(again.Items(1)->FileName(), "C:\\Fonts\\a.ttf");

  // Saving again replaces the file; nothing is left beside it.
  again.AddFileWithName("C:\\Fonts\\c.ttf", "Cee");
  ASSERT_TRUE(again.SaveCollection(file));
  EXPECT_EQ(scratch::ReadAll(file), written + "\"Cee\",\"C:\\Fonts\\c.ttf\"\r\n");
  EXPECT_EQ(FileCount(), 1);

  // Hidden by its user: a save keeps it hidden.
  ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(again.SaveCollection(file));
  EXPECT_TRUE(::GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(FileCount(), 1);
  ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Another program holds the file open without sharing it: the file in use is kept.
  again.AddFileWithName("C:\\Fonts\\d.ttf", "Dee");
  HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(again.SaveCollection(file));
  ::CloseHandle(held);
  EXPECT_EQ(scratch::ReadAll(file), written + "\"Cee\",\"C:\\Fonts\\c.ttf\"\r\n");
  EXPECT_FALSE(sys::Current().FileExists(file + ".tmp"));
}

TEST_F(RealCollectionTest, CreateRefusesAnExistingCollectionWith183AndANameEndingInABackslashByteIsAName) {
  const std::string name = "\x81\x5C";  // one character in code page 936
  ASSERT_TRUE(CreateCollection(dir_, name));
  EXPECT_EQ(ListCollectionNames(dir_), std::vector<std::string>{name});
  DeleteCollection(dir_, name, true);
  EXPECT_TRUE(ListCollectionNames(dir_).empty());

  ASSERT_TRUE(CreateCollection(dir_, "New"));
  EXPECT_TRUE(sys::Current().FileExists(dir_ + "New.VLM"));
  EXPECT_EQ(scratch::ReadAll(dir_ + "New.VLM"), "");
  sys::Current().SetLastError(0);
  EXPECT_FALSE(CreateCollection(dir_, "NEW"));
  EXPECT_EQ(sys::Current().LastError(), 183u);
}

TEST_F(RealCollectionTest, ReferencesFollowARenamedFont) {
  const std::string one = dir_ + "One.VLM";
  const std::string other = dir_ + "Other.VLM";
  TFontFileList list;
  list.AddFileWithName("C:\\Fonts\\old.ttf", "Old");
  ASSERT_TRUE(list.SaveCollection(one));
  const std::string untouched = "Loose,C:\\Fonts\\x.ttf\n";
  ASSERT_TRUE(scratch::WriteAll(other, untouched));
  RewriteCollectionReferences(dir_, "c:\\fonts\\OLD.TTF", "C:\\Fonts\\new.ttf");
  EXPECT_EQ(scratch::ReadAll(one), "\"Old\",\"C:\\Fonts\\new.ttf\"\r\n");
  EXPECT_EQ(scratch::ReadAll(other), untouched);
}

}  // namespace
