// What the list tests share: a memory world of files and registry, a form to
// put controls on, fonts written byte by byte, and a font list on that form.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lists/FontList.h"
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

// A font list filling the form, its events counted.
class FontListTest : public ListsTest {
 protected:
  FontListTest() {
    list = std::make_unique<TFontList>(*form);
    list->SetAlign(alClient);
    list->OnChange = [this] { ++changes; };
    list->OnSelectionChange = [this] { ++selectionChanges; };
  }
  ~FontListTest() override {
    os.onMessageBox = nullptr;
    os.onProcessMessages = nullptr;
    os.onShellOp = nullptr;
    list.reset();
  }

  // C:\F holds Alpha (sans), Beta (serif), Gamma (script) and Delta (sans):
  // rows Alpha, Beta, Delta, Gamma.
  void MakeFolder() {
    os.AddFile("C:\\F\\ALPHA.TTF", FontFile("Alpha", 2, 11));
    os.AddFile("C:\\F\\BETA.TTF", FontFile("Beta", 2, 2));
    os.AddFile("C:\\F\\GAMMA.TTF", FontFile("Gamma", 3, 0));
    os.AddFile("C:\\F\\DELTA.TTF", FontFile("Delta", 2, 11));
  }
  void Browse(std::string_view folder) {
    list->SetPath(folder);
    list->UpdateList();
  }
  // The collection C:\C\MINE.VLM with that content, shown.
  void ShowCollection(const std::string& content) {
    os.AddFile("C:\\C\\MINE.VLM", content);
    list->SetMode(flmCollection);
    list->SetPath("C:\\C");
    list->SetCollection("MINE");
    list->UpdateList();
  }
  std::vector<std::wstring> Captions() {
    std::vector<std::wstring> captions;
    for (int i = 0; i < list->ListView().ItemCount(); ++i) captions.push_back(list->ListView().ItemText(i));
    return captions;
  }

  std::unique_ptr<TFontList> list;
  int changes = 0;
  int selectionChanges = 0;
};

}  // namespace lists_test
