// What the list tests share: a memory world of files and registry, a form to
// put controls on, and fonts written byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sys/memory/MemoryBackend.h"
#include "sys/sys.h"
#include "tests/support/TrueTypeWriter.h"
#include "ui/Form.h"

namespace lists_test {

inline constexpr char kNtFontsKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr char kFontsFolder[] = "C:\\WINNT\\FONTS\\";

class TTestForm : public TForm {
 public:
  TTestForm() { CreateForm(L"列表测试", WS_OVERLAPPEDWINDOW, 0, TRect{0, 0, 500, 400}); }
};

// A font of the given PANOSE family type and serif style (2, 11: sans serif).
inline std::string FontFile(std::string_view fullName, uint8_t familyType = 2,
                            uint8_t serifStyle = 11) {
  return tt::FontBuilder()
      .Names({tt::MsName(4, fullName), tt::MsName(1, fullName)})
      .Head()
      .Hhea()
      .Os2({.panose = {familyType, serifStyle}})
      .Build();
}

class ListsTest : public ::testing::Test {
 protected:
  ListsTest() {
    os.SetValue(sys::Hive::CurrentUser,
                "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                kFontsFolder);
    os.SetValue(sys::Hive::LocalMachine, kNtFontsKey, "Placeholder (TrueType)", "PLACE.TTF");
    form = std::make_unique<TTestForm>();
  }

  void Install(std::string_view fontName, std::string_view file) {
    os.SetValue(sys::Hive::LocalMachine, kNtFontsKey, std::string(fontName) + " (TrueType)", file);
  }

  // Declared in this order so that the controls go before the world they use.
  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TTestForm> form;
};

}  // namespace lists_test
