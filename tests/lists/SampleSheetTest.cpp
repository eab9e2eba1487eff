// Printing the selected fonts of a font list on the memory backend's printer:
// fonts made available once, blocks in row order, a refused job reported.
#include "tests/lists/ListsFixture.h"

namespace {

using lists_test::FontFile;
using sys::PrintCall;

class SampleSheetTest : public lists_test::FontListTest {
 protected:
  SampleSheetTest() {
    // Rows sort by name: Alpha, Beta, Gamma. Beta is bold, italic,
    // underscored and struck out; Gamma is installed.
    os.AddFile("C:\\F\\GAMMA.TTF", FontFile("Gamma"));
    os.AddFile("C:\\F\\ALPHA.TTF", FontFile("Alpha"));
    os.AddFile("C:\\F\\BETA.TTF", tt::FontBuilder()
                                      .Names({tt::MsName(4, "Beta Heavy"), tt::MsName(1, "Beta")})
                                      .Head()
                                      .Hhea()
                                      .Os2({.panose = {2, 11}, .fsSelection = 0x33})
                                      .Build());
    Install("Gamma", "C:\\F\\GAMMA.TTF");
    Browse("C:\\F");
  }

  std::vector<PrintCall> Texts() const {
    std::vector<PrintCall> texts;
    for (const PrintCall& call : os.Printer().Calls())
      if (call.kind == PrintCall::kText) texts.push_back(call);
    return texts;
  }
};

TEST_F(SampleSheetTest, SelectedFontsAreAddedOnceAndPrintedInRowOrderUntilTheListGoes) {
  list->SetAllSelected(false, true, true);
  list->PrintSampleSheet("Title", "Sample", 12);
  EXPECT_EQ(os.Printer().JobsStarted(), 0) << "nothing selected, no job";

  list->SelectAll();
  ASSERT_EQ(list->SelCount(), 3);
  list->PrintSampleSheet("", "Sample", 12);
  EXPECT_EQ(os.FontsAdded(), (std::vector<std::string>{"C:\\F\\ALPHA.TTF", "C:\\F\\BETA.TTF"}));
  EXPECT_EQ(list->TempLoaded(), os.FontsAdded());
  EXPECT_EQ(os.Broadcasts(), 1);
  EXPECT_EQ(os.Printer().JobsEnded(), 1);
  EXPECT_TRUE(os.Messages().empty());

  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 6u);
  const sys::PrintFont beta{.face = "Beta", .points = 12, .bold = true, .italic = true,
                            .underline = true, .strikeOut = true};
  EXPECT_EQ(texts[0].font, (sys::PrintFont{.face = "Alpha", .points = 12}));
  EXPECT_EQ(texts[2].font, beta);
  EXPECT_EQ(texts[4].font, (sys::PrintFont{.face = "Gamma", .points = 12}));
  EXPECT_EQ(texts[1].text, "Alpha     C:\\F\\ALPHA.TTF");
  EXPECT_EQ(texts[3].text, "Beta Heavy     C:\\F\\BETA.TTF");
  EXPECT_EQ(texts[5].text, "Gamma     C:\\F\\GAMMA.TTF");

  // Again: the same fonts are not added twice, nor announced.
  list->PrintSampleSheet("", "Sample", 12);
  EXPECT_EQ(os.FontsAdded().size(), 2u);
  EXPECT_EQ(os.Broadcasts(), 1);
  EXPECT_EQ(os.Printer().JobsStarted(), 2);

  list.reset();
  EXPECT_EQ(os.FontsRemoved(), (std::vector<std::string>{"C:\\F\\ALPHA.TTF", "C:\\F\\BETA.TTF"}));
  EXPECT_EQ(os.Broadcasts(), 2);
}

TEST_F(SampleSheetTest, WithoutAPrinterTheUserSeesTheSystemsReason) {
  os.Printer().Remove();
  list->SelectOnly("Alpha");
  list->PrintSampleSheet("Title", "Sample", 12);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text, L"不能打印样本页\r\n(1801) The printer name is invalid.");
  EXPECT_EQ(os.Messages()[0].flags, sys::kMbIconStop | sys::kMbTaskModal);
  EXPECT_TRUE(os.Printer().Calls().empty());
  // Made available all the same: the next try, with a printer, needs nothing more.
  EXPECT_EQ(list->TempLoaded(), (std::vector<std::string>{"C:\\F\\ALPHA.TTF"}));
}

}  // namespace
