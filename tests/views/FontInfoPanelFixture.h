// What the information panel tests share: a memory world with fonts written
// byte by byte, a shown form holding the panel, and a pump that waits for
// the panel's workers to hand over all their steps.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sys/memory/MemoryBackend.h"
#include "sys/sys.h"
#include "tests/support/Input.h"
#include "tests/support/TrueTypeWriter.h"
#include "tests/ui/TestWindow.h"
#include "views/FontInfoPanel.h"

namespace info_test {

struct FontTraits {
  std::string name;
  std::string maker;
  std::string vendorUrl;
  std::string version = "Version 1.00";
  int16_t descender = -483;
  uint16_t weight = 400;
};

inline std::string FontFile(const FontTraits& font) {
  std::vector<tt::NameRecord> names = {tt::MsName(1, "Family"), tt::MsName(2, "Regular"),
                                       tt::MsName(4, font.name), tt::MsName(5, font.version),
                                       tt::MsName(6, "PostName")};
  if (!font.maker.empty()) names.push_back(tt::MsName(8, font.maker));
  if (!font.vendorUrl.empty()) names.push_back(tt::MsName(11, font.vendorUrl));
  return tt::FontBuilder()
      .Names(names)
      .Head()
      .Hhea({.descender = font.descender})
      .Os2({.weightClass = font.weight})
      .Build();
}

class InfoPanelTest : public ::testing::Test {
 protected:
  InfoPanelTest() {
    form = std::make_unique<TTestWindow>(420, 500);
    panel = std::make_unique<TFontInfoPanel>(*form);
    panel->SetBounds(0, 0, 400, 460);
    form->Show();
  }
  ~InfoPanelTest() override {
    panel.reset();
    form.reset();
  }

  // A record of a font file put into the memory world, names read as a scan reads them.
  std::unique_ptr<TFontFileInfo> Record(const FontTraits& font) {
    const std::string path = "C:\\FONTS\\" + font.name + ".TTF";
    os.AddFile(path, FontFile(font));
    auto record = std::make_unique<TFontFileInfo>();
    record->SetFileName(path);
    return record;
  }

  // Until every worker has ended and its steps are handled.
  void WaitForWorkers() {
    for (int i = 0; i < 2000 && panel->RunningWorkers() > 0; ++i) {
      ui::ProcessMessages();
      Sleep(5);
    }
    input::Settle();
    ASSERT_EQ(panel->RunningWorkers(), 0u);
  }

  std::wstring Value(size_t section, size_t row = 0) const {
    return panel->Section(section).values[row]->Text();
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  std::unique_ptr<TTestWindow> form;
  std::unique_ptr<TFontInfoPanel> panel;
};

}  // namespace info_test
