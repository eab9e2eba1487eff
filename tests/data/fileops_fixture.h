// A memory world for the font file operations: a fonts folder known to the
// shell folders, an installed-font table, font files made by the writer.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/FontFileInfo.h"
#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/TrueTypeWriter.h"

class FileOpsTest : public ::testing::Test {
 protected:
  static constexpr const char* kFontsKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  static constexpr const char* kFonts = "C:\\Windows\\Fonts\\";
  static constexpr const char* kSrc = "D:\\Src\\";

  FileOpsTest() : guard_(os) {
    os.SetDrives({"C:\\", "D:\\"});
    os.AddDirectory("C:\\Windows\\Fonts");
    os.AddDirectory("D:\\Src");
    os.SetValue(sys::Hive::CurrentUser,
                "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                "C:\\Windows\\Fonts");
    os.OpenKey(sys::Hive::LocalMachine, kFontsKey, true);
  }

  static std::string FontBytes(const std::string& fontName) { return tt::StandardFont(fontName).Build(); }
  void AddFont(const std::string& path, const std::string& fontName) { os.AddFile(path, FontBytes(fontName)); }

  // A record read from a file made for it.
  std::unique_ptr<TFontFileInfo> Record(const std::string& path, const std::string& fontName) {
    if (!os.HasFile(path)) AddFont(path, fontName);
    auto record = std::make_unique<TFontFileInfo>();
    record->SetFileName(path);
    return record;
  }

  void Register(const std::string& fontName, const std::string& data) {
    os.SetValue(sys::Hive::LocalMachine, kFontsKey, fontName + " (TrueType)", data);
  }
  std::string Registered(const std::string& fontName) {
    std::string data;
    return os.GetValue(sys::Hive::LocalMachine, kFontsKey, fontName + " (TrueType)", data) ? data
                                                                                         : "<none>";
  }
  // A font installed the way Windows installs one: in the fonts folder, by bare name.
  std::unique_ptr<TFontFileInfo> InstalledFont(const std::string& bareName, const std::string& fontName) {
    AddFont(kFonts + bareName, fontName);
    Register(fontName, bareName);
    os.AddFont(kFonts + bareName);
    return Record(kFonts + bareName, fontName);
  }

  std::wstring LastMessage() const {
    return os.Messages().empty() ? std::wstring() : os.Messages().back().text;
  }
  static std::wstring W(std::string_view ansi) { return sys::Widen(ansi); }

  sys::MemoryBackend os;

 private:
  sys::ScopedBackend guard_;
};
