// A memory world for font list and collection tests: a fonts folder, the
// installed-font table and recorded progress windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/FontFileList.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/RecordingProgress.h"

using Strings = std::vector<std::string>;
using WStrings = std::vector<std::wstring>;

inline constexpr const char* kFontsKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kFontsDir = "C:\\Windows\\Fonts\\";

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() : guard_(os) {
    os.AddDirectory("C:\\Windows\\Fonts");
    os.SetValue(sys::Hive::CurrentUser,
                "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                "C:\\Windows\\Fonts");
    os.OpenKey(sys::Hive::LocalMachine, kFontsKey, true);
  }

  // Registers a font in the installed-font table as Windows names it.
  void Install(const std::string& fontName, const std::string& file) {
    os.SetValue(sys::Hive::LocalMachine, kFontsKey, fontName + " (TrueType)", file);
  }

  static std::vector<std::string> Names(const TFontFileList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i)->FontName());
    return names;
  }
  static std::vector<std::string> Files(const TFontFileList& list) {
    std::vector<std::string> files;
    for (int i = 0; i < list.Count(); ++i) files.push_back(list.Items(i)->FileName());
    return files;
  }

  sys::MemoryBackend os;
  RecordingProgress progress;

 private:
  sys::ScopedBackend guard_;
};
