// Printing the selected fonts of a font list on the memory backend's printer:
// fonts added for the job only, blocks in row order, a refused job reported.
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

TEST_F(SampleSheetTest, SelectedFontsAreAddedForTheJobOnlyAndPrintedInRowOrder) {
  list->SetAllSelected(false, true, true);
  list->PrintSampleSheet("Title", "Sample", 12);
  EXPECT_EQ(os.Printer().JobsStarted(), 0) << "nothing selected, no job";

  list->SelectAll();
  ASSERT_EQ(list->SelCount(), 3);
  list->PrintSampleSheet("", "Sample", 12);
  const std::vector<std::string> notInstalled{"C:\\F\\ALPHA.TTF", "C:\\F\\BETA.TTF"};
  EXPECT_EQ(os.FontsAdded(), notInstalled);
  EXPECT_EQ(os.FontsRemoved(), notInstalled) << "taken away again when the job ended";
  EXPECT_EQ(os.Broadcasts(), 2);
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

  // Again, with Beta loaded by the user and refused to the print: only what
  // the print added is taken away, and the user's Beta stays.
  os.AddFont("C:\\F\\BETA.TTF");
  os.FailAddFont("C:\\F\\BETA.TTF");
  list->PrintSampleSheet("", "Sample", 12);
  EXPECT_EQ(os.Printer().JobsStarted(), 2);
  EXPECT_EQ(os.FontsAdded().size(), 4u);
  EXPECT_EQ(os.FontsRemoved().size(), 3u);
  EXPECT_EQ(os.FontsRemoved().back(), "C:\\F\\ALPHA.TTF");
  EXPECT_EQ(os.FontResourceCount("C:\\F\\ALPHA.TTF"), 0);
  EXPECT_EQ(os.FontResourceCount("C:\\F\\BETA.TTF"), 1);
  EXPECT_EQ(os.Broadcasts(), 4);

  list.reset();
  EXPECT_EQ(os.FontsRemoved().size(), 3u) << "the list holds no font of its own";
}

TEST_F(SampleSheetTest, WithoutAPrinterTheUserSeesTheSystemsReason) {
  os.Printer().Remove();
  list->SelectOnly("Alpha");
  list->PrintSampleSheet("Title", "Sample", 12);
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text, L"不能打印样本页\r\n(1801) The printer name is invalid.");
  EXPECT_EQ(os.Messages()[0].flags, sys::kMbIconStop | sys::kMbTaskModal);
  EXPECT_TRUE(os.Printer().Calls().empty());
  // Added for the job that never came, and taken away again.
  EXPECT_EQ(os.FontsAdded(), std::vector<std::string>{"C:\\F\\ALPHA.TTF"});
  EXPECT_EQ(os.FontsRemoved(), os.FontsAdded());
}

}  // namespace
