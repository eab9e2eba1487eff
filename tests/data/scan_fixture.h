// A memory world for the data layer's tests: a fonts folder known to the shell
// folders, the installed-font table and recorded progress windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/FontFileList.h"
#include "data/VLMUtil.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/TrueTypeWriter.h"

using Strings = std::vector<std::string>;
using WStrings = std::vector<std::wstring>;

inline constexpr const char* kFontsKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kFontsDir = "C:\\Windows\\Fonts\\";

// The warnings a scan gives for an unlistable folder and for a failing
// installed-font table.
inline constexpr const wchar_t* kFolderTrouble =
    L"Velmara 在从你的注册表中读取字体信息 在你的计算机中.\r\n\r\n"
    L"它可以在你的计算机中运行 ScanDisk 程序来进行检查并修正你的文件系统中的错误.";
inline constexpr const wchar_t* kRegistryTrouble =
    L"Velmara 在从你的注册表中读取字体信息  时遇到问题.\r\n\r\n"
    L"请尝试从控制面板中打开 Fonts 文件夹去修正这个注册表的分支.";

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() : guard_(os) {
    os.AddDirectory("C:\\Windows\\Fonts");
    os.SetValue(sys::Hive::CurrentUser, kShellFoldersKey, "Fonts", "C:\\Windows\\Fonts");
    os.OpenKey(sys::Hive::LocalMachine, kFontsKey, true);
  }

  // Registers a font in the installed-font table as Windows names it.
  void Install(const std::string& fontName, const std::string& file) {
    os.SetValue(sys::Hive::LocalMachine, kFontsKey, fontName + " (TrueType)", file);
  }
  std::string Registered(const std::string& fontName) {
    std::string data;
    return os.GetValue(sys::Hive::LocalMachine, kFontsKey, fontName + " (TrueType)", data) ? data
                                                                                         : "<none>";
  }
  // A font file made by the writer; returns its path.
  std::string AddFont(const std::string& path, const std::string& fullName,
                      const std::string& family = "Test Family") {
    os.AddFile(path, tt::StandardFont(fullName, family).Build());
    return path;
  }

  // One progress window, shown, stepped once per font and gone.
  void ExpectOneFinishedBar(int fonts) {
    ASSERT_EQ(progress.Count(), 1);
    const ProgressRecord& bar = progress.Last();
    EXPECT_TRUE(bar.shown);
    EXPECT_EQ(bar.captions,
              (WStrings{L"正在搜索字体文件夹...", L"正在读 " + std::to_wstring(fonts) + L" 种字体..."}));
    EXPECT_EQ(bar.maximum, fonts);
    EXPECT_EQ(bar.steps, fonts);
    EXPECT_TRUE(bar.destroyed);
  }
  // One warning box with the given text.
  void ExpectOneWarning(const wchar_t* text) {
    ASSERT_EQ(os.Messages().size(), 1u);
    EXPECT_EQ(os.Messages()[0].text, text);
    EXPECT_EQ(os.Messages()[0].caption, L"警告   ");
    EXPECT_EQ(os.Messages()[0].flags, 0x2030u);
  }
  static void OpenCollection(TFontFileList& list, const std::string& folder, const std::string& name) {
    list.SetMode(flmCollection);
    list.SetPath(folder);
    list.SetCollection(name);
  }
  static Strings Names(const TFontFileList& list) {
    Strings names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i)->FontName());
    return names;
  }
  static Strings Files(const TFontFileList& list) {
    Strings files;
    for (int i = 0; i < list.Count(); ++i) files.push_back(list.Items(i)->FileName());
    return files;
  }

  sys::MemoryBackend os;
  RecordingProgress progress;

 private:
  sys::ScopedBackend guard_;
};
