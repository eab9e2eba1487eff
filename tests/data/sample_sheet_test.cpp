// The sample sheet's page metrics and page layout, drawn on the memory
// backend's printer.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/FontFileInfo.h"
#include "data/SampleSheetLayout.h"
#include "data/SampleSheetPrint.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/TrueTypeWriter.h"

namespace {

using sys::PrintCall;
using sys::PrintRect;

TEST(SampleSheetMetrics, MarginsKeepClearOfTheUnprintableEdge) {
  EXPECT_EQ(MmToPixels(600, 1), 24);  // 23.6
  EXPECT_EQ(MmToPixels(300, 10), 118);
  EXPECT_EQ(MmToPixels(300, 5), 59);

  // The printable area starts 50 pixels in across and 70 down: the margin is
  // what lies beyond that. Bottom and Right come from the sheet's end.
  sys::PrinterCaps caps{.ppi = 300, .horzRes = 2380, .vertRes = 3400, .physicalWidth = 2480,
                        .physicalHeight = 3508, .physicalOffsetX = 50, .physicalOffsetY = 70};
  TSheetMetrics m = SheetMetrics(caps, 39);
  EXPECT_EQ(m.margin, 118);
  EXPECT_EQ(m.gap, 59);
  EXPECT_EQ(m.pad, 12);
  EXPECT_EQ(m.infoHeight, 39);
  EXPECT_EQ(m.left, 68);
  EXPECT_EQ(m.top, 48);
  EXPECT_EQ(m.right, 2480 - 50 - 118);
  EXPECT_EQ(m.bottom, 3508 - 70 - 118);

  // An edge wider than the margin: the printable area's own edge; a printable
  // area that ends early: its end less the top.
  caps.physicalOffsetX = 200;
  caps.physicalOffsetY = 130;
  caps.horzRes = 1000;
  caps.vertRes = 2000;
  m = SheetMetrics(caps, 39);
  EXPECT_EQ(m.left, 0);
  EXPECT_EQ(m.top, 0);
  EXPECT_EQ(m.right, 1000);
  EXPECT_EQ(m.bottom, 2000);

  EXPECT_EQ(TitlePoints(6), 8);
  EXPECT_EQ(TitlePoints(14), 14);
}

class SampleSheetPrintTest : public ::testing::Test {
 protected:
  SampleSheetPrintTest() {
    // 254 pixels per inch: 10 mm = 100 pixels; no unprintable edge. The
    // margins then are 100 all round: Top 100, Bottom 1100, Left 100, Right 900.
    printer.SetCaps({.ppi = 254, .horzRes = 1000, .vertRes = 1200, .physicalWidth = 1000,
                     .physicalHeight = 1200});
    // Ten pixels a point, whatever the text.
    printer.textHeight = [](const sys::PrintFont& font, std::string_view) { return font.points * 10; };
  }

  static TSampleSheet Sheet(std::string title, int fontSize, int blocks) {
    TSampleSheet sheet{std::move(title), "The quick brown fox", fontSize, {}};
    for (int i = 0; i < blocks; ++i) {
      TSampleBlock block;
      block.font = {.face = "Face" + std::to_string(i), .points = fontSize, .bold = i == 1,
                    .italic = i == 2};
      block.info = "Font " + std::to_string(i) + "     C:\\F\\F" + std::to_string(i) + ".TTF";
      sheet.blocks.push_back(block);
    }
    return sheet;
  }

  std::vector<PrintCall> Calls(PrintCall::Kind kind) const {
    std::vector<PrintCall> calls;
    for (const PrintCall& call : printer.Calls())
      if (call.kind == kind) calls.push_back(call);
    return calls;
  }

  sys::MemoryBackend os;
  sys::ScopedBackend guard{os};
  sys::MemoryPrinter& printer = os.Printer();
};

TEST_F(SampleSheetPrintTest, TitleOnceThenBlocksInOrderAndABlockThatDoesNotFitStartsAPageAtTop) {
  ASSERT_TRUE(PrintSampleSheet(Sheet("My collection", 6, 5)));

  const auto& calls = printer.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front().kind, PrintCall::kStartDoc);
  EXPECT_EQ(calls.front().title, L"Velmara 样本页");
  EXPECT_EQ(calls.back().kind, PrintCall::kEndDoc);
  EXPECT_EQ(printer.JobsStarted(), 1);
  EXPECT_EQ(printer.JobsEnded(), 1);

  // Title bar: Arial bold at 8 points (never below), 80 high plus the pad.
  const auto fills = Calls(PrintCall::kFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, (PrintRect{100, 100, 900, 190}));
  EXPECT_EQ(fills[0].color, 0x000000u);
  const auto texts = Calls(PrintCall::kText);
  ASSERT_EQ(texts.size(), 1u + 2 * 5);
  EXPECT_EQ(texts[0].text, "My collection");
  EXPECT_EQ(texts[0].color, 0xFFFFFFu);
  EXPECT_EQ(texts[0].x, 110);
  EXPECT_EQ(texts[0].y, 105);
  EXPECT_EQ(texts[0].font, (sys::PrintFont{.face = "Arial", .points = 8, .bold = true}));

  // Each block: 60 of sample, 80 of information, 50 of gap, from 240 on; the
  // fifth (at 1000, ending at 1140) passes Bottom and goes to the next page.
  const int expectedTop[] = {240, 430, 620, 810, 100};
  ASSERT_EQ(Calls(PrintCall::kNewPage).size(), 1u);
  const auto page = std::find_if(calls.begin(), calls.end(),
                                 [](const PrintCall& call) { return call.kind == PrintCall::kNewPage; });
  EXPECT_EQ(std::count_if(calls.begin(), page, [](const PrintCall& call) { return call.kind == PrintCall::kText; }),
            1 + 2 * 4) << "the new page comes before the fifth block";

  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const PrintCall& sample = texts[1 + 2 * i];
    const PrintCall& info = texts[2 + 2 * i];
    const int y = expectedTop[i];
    EXPECT_EQ(sample.text, "The quick brown fox");
    EXPECT_EQ(sample.font.face, "Face" + std::to_string(i));
    EXPECT_EQ(sample.font.points, 6);
    EXPECT_EQ(sample.font.bold, i == 1);
    EXPECT_EQ(sample.font.italic, i == 2);
    EXPECT_EQ(sample.x, 100);
    EXPECT_EQ(sample.y, y);
    EXPECT_EQ(sample.rect, (PrintRect{100, y, 900, y + 60})) << "clipped at Right";
    EXPECT_EQ(sample.color, 0x000000u);
    EXPECT_EQ(info.text, "Font " + std::to_string(i) + "     C:\\F\\F" + std::to_string(i) + ".TTF");
    EXPECT_EQ(info.font, (sys::PrintFont{.face = "Arial", .points = 8}));
    EXPECT_EQ(info.y, y + 60);
    EXPECT_EQ(info.rect, (PrintRect{100, y + 60, 900, y + 140}));
  }
}

TEST_F(SampleSheetPrintTest, WithoutTitleTheFirstBlockIsAtTopAndATallBlockLeavesNoEmptyPage) {
  // 200 points: 2000 pixels, taller than the page. Each block gets a page of
  // its own, the first one included, and none is blank.
  ASSERT_TRUE(PrintSampleSheet(Sheet("", 200, 3)));
  EXPECT_TRUE(Calls(PrintCall::kFillRect).empty());
  const auto texts = Calls(PrintCall::kText);
  ASSERT_EQ(texts.size(), 6u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[2 * i].y, 100);
    EXPECT_EQ(texts[2 * i].rect, (PrintRect{100, 100, 900, 2100}));
  }
  EXPECT_EQ(Calls(PrintCall::kNewPage).size(), 2u);
}

TEST_F(SampleSheetPrintTest, RefusedJobOrPageReportsTheSystemsErrorAndEndsTheJob) {
  printer.Remove();
  EXPECT_FALSE(PrintSampleSheet(Sheet("T", 10, 2)));
  EXPECT_EQ(os.LastError(), sys::kErrorNoPrinter);
  EXPECT_TRUE(printer.Calls().empty());
  EXPECT_EQ(os.ErrorMessage(os.LastError()), "The printer name is invalid.\r\n");

  printer.Restore();
  printer.FailNewPage(0, sys::kErrorWriteFault);
  EXPECT_FALSE(PrintSampleSheet(Sheet("", 30, 3)));  // 300 + 80 + 50 a block: a break at the third
  EXPECT_EQ(os.LastError(), sys::kErrorWriteFault);
  EXPECT_EQ(printer.JobsEnded(), 1);
  EXPECT_EQ(printer.Calls().back().kind, PrintCall::kEndDoc);
  EXPECT_EQ(Calls(PrintCall::kText).size(), 4u) << "nothing printed after the refused page";
}

TEST_F(SampleSheetPrintTest, ABlockAsksForItsFacesFamilyAndForOutlinesOfAPostScriptFace) {
  os.AddFile("C:\\F\\Bold.ttf", tt::StandardFont("Plain Bold", "Plain").Build());
  os.AddFile("C:\\F\\Cff.otf", tt::StandardFont("Nimble").Version(tt::kOtto).Build());
  TFontFileInfo plain, cff;
  plain.SetFileNameAndRead("C:\\F\\Bold.ttf", false);
  cff.SetFileNameAndRead("C:\\F\\Cff.otf", false);
  const TSampleBlock plainBlock = SampleBlock(plain, 12);
  EXPECT_EQ(plainBlock.font, (sys::PrintFont{.face = "Plain", .points = 12}));
  EXPECT_EQ(plainBlock.info, "Plain Bold     C:\\F\\Bold.ttf");
  EXPECT_TRUE(SampleBlock(cff, 12).font.outlines) << "a driver need not take PostScript outlines";
}

#ifndef _WIN32
TEST(SampleSheetNative, NoPrinterHereIsAFailureNotASilentSuccess) {
  EXPECT_FALSE(PrintSampleSheet({"T", "x", 10, {TSampleBlock{}}}));
  EXPECT_EQ(sys::DefaultBackend().LastError(), sys::kErrorNoPrinter);
}
#endif

}  // namespace
