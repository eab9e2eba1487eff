// One user's way through the font window with real fonts: the Browse page on
// a folder of Debian's fonts, then the arrow keys through the list while each
// view page shows. With VLM_SHOTS_DIR set, each page is saved there as a
// bitmap for a look at it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "data/VLMUtil.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tests/app/FrameFixture.h"

namespace {

using input::Pump;

const char* const kFontFiles[] = {
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSerif-Regular.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationMono-Regular.ttf",
};

TEST(Journey, ArrowKeysThroughAFolderOfRealFontsOnEveryViewPage) {
  frame_test::TFontFolder fonts("VLMJOURNEY");
  const std::string& folder = fonts.Path();
  size_t copied = 0;
  for (const char* font : kFontFiles) {
    if (!sys::Current().FileExists(font)) continue;
    ASSERT_TRUE(fonts.Copy(font, UpperAscii(ExtractFileName(font)))) << font;
    ++copied;
  }
  ASSERT_GE(copied, 3u) << "needs fonts-dejavu-core and fonts-liberation";

  auto frame = frame_test::Start();
  TfrmVLMChild* child = frame->ActiveChild();
  ASSERT_NE(child, nullptr);
  input::Activate(frame->Handle());

  // The folder typed into the address box.
  input::Press('B', ssAlt);
  input::Press('D', ssAlt);
  ASSERT_TRUE(child->edtAddress.Focused());
  child->edtAddress.SetText(sys::Widen(folder));
  input::Press(VK_RETURN);
  TFontList& list = child->BrowseFontList;
  ASSERT_EQ(list.Path(), folder);
  ASSERT_EQ(list.ListView().ItemCount(), static_cast<int>(copied));

  const char* shots = std::getenv("VLM_SHOTS_DIR");
  const struct {
    WORD key;
    TTabSheet* page;
    const char* name;
  } pages[] = {{'S', &child->tsViewSample, "sample"},
               {'M', &child->tsViewMulti, "multi"},
               {'A', &child->tsViewCharacters, "characters"},
               {'O', &child->tsViewFontInfo, "fontinfo"},
               {'N', &child->tsViewNotes, "notes"}};
  int row = 0;
  for (const auto& page : pages) {
    input::Press(page.key, ssAlt);
    ASSERT_EQ(child->pcView.ActivePage(), page.page) << page.name;
    list.SetFocus();
    input::Press(row == 0 ? VK_HOME : VK_DOWN);
    Pump(400);
    TFontFileInfo* record = list.SelectedRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(list.SelectedIndex(), row);
    const std::string shown = record->DisplayName();
    EXPECT_EQ(child->Text(), L"浏览(B) - " + sys::Widen(folder) + L" - " + sys::Widen(record->FontName()));
    EXPECT_EQ(child->SampleFontName(), shown);
    LOGFONTW sampleFont{};
    GetObjectW(child->memSample.Font(), sizeof(sampleFont), &sampleFont);
    EXPECT_EQ(std::wstring(sampleFont.lfFaceName), sys::Widen(shown));
    EXPECT_EQ(child->Characters().CharMatrix.FontName(), shown);
    EXPECT_TRUE(SameText(child->memNotes.NoteName(), FileNameNoExt(record->FileName())));
    if (page.page == &child->tsViewMulti) {
      EXPECT_EQ(child->Multi().MultiSample.Grid().RowCount(), static_cast<int>(copied));
    }
    if (page.page == &child->tsViewFontInfo) {
      EXPECT_TRUE(child->FontInfo.Visible());
      EXPECT_TRUE(child->FontInfo.Shows(record));
      EXPECT_EQ(child->FontInfo.Section(0).values[0]->Text(), sys::Widen(record->FontName()));
    }
    if (shots) frame_test::SaveShot(frame->Handle(), std::string(shots) + "\\" + page.name + ".bmp");
    ++row;
  }

  if (shots) {
    // The frame's bars: the filter bar docked, glyphs alone, the filter bar floating.
    frame->pmToolbarsFilterBarClick();
    Pump(200);
    frame_test::SaveShot(frame->Handle(), std::string(shots) + "\\frame-filterbar.bmp");
    frame->pmToolbarsTextLabelsClick();
    Pump(200);
    frame_test::SaveShot(frame->Handle(), std::string(shots) + "\\frame-nolabels.bmp");
    frame->pmToolbarsTextLabelsClick();
    frame->tb97Filter.Float();
    Pump(300);
    frame_test::SaveShot(GetDesktopWindow(), std::string(shots) + "\\frame-floating.bmp");
  }

  frame.reset();
}

}  // namespace
