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
