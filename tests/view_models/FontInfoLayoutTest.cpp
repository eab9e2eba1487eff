#include <gtest/gtest.h>

#include "views/model/FontInfoLayout.h"

using namespace fontinfo;

namespace {

// Headers 20 high and captions 16, both 8 pixels per character; row values one
// 16-pixel line (the unique identifier two), wrapped values three lines.
class TFakeMeasure : public TInfoMeasure {
 public:
  int HeaderWidth(size_t s) override { return 8 * static_cast<int>(Sections()[s].header.size()); }
  int HeaderHeight(size_t) override { return 20; }
  int CaptionWidth(size_t s, size_t r) override {
    return 8 * static_cast<int>(Sections()[s].captions[r].size() + 1);
  }
  int CaptionHeight(size_t, size_t) override { return 16; }
  int ValueHeight(size_t s, size_t r, int width) override {
    valueWidths.push_back(width);
    return s == 0 && r == 4 ? 32 : 16;  // a long unique identifier wraps
  }
  int WrappedHeight(size_t, int width) override {
    wrappedWidths.push_back(width);
    return 48;
  }
  int LinkHeight(size_t, int) override { return 16; }
  std::vector<int> valueWidths, wrappedWidths;
};

std::vector<TSectionValues> Values(bool vendorUrl) {
  TFontFields f;
  f.FontName = "Face";
  f.Version = "Version 1";
  f.Manufacturer = "Maker";
  if (vendorUrl) f.VendorURL = "http://maker";
  return SectionValues(f);
}

}  // namespace

TEST(FontInfoLayout, SectionsStackWithTheirGapsAndHiddenOnesTakeNoSpace) {
  TFakeMeasure m;
  const TInfoLayout layout = LayoutSections(400, 16, Values(true), m);
  EXPECT_EQ(layout.width, 400 - 16 - 4);
  EXPECT_FALSE(layout.horzScroll);
  ASSERT_EQ(layout.sections.size(), kSectionCount);

  // Names: header at 0, its line beside it; rows from 30; widest caption
  // "字体唯一标识符:" is 8 characters, so values start at 74.
  const TSectionPlace& names = layout.sections[0];
  EXPECT_EQ(names.header, (TBox{0, 0, 48, 20, true}));
  EXPECT_EQ(names.line, (TBox{53, 6, 380 - 53, 2, true}));
  EXPECT_EQ(names.captions[0], (TBox{0, 30, 40, 16, true}));
  EXPECT_EQ(names.values[0], (TBox{74, 30, 380 - 74, 16, true}));
  EXPECT_EQ(names.values[4].top, 30 + 4 * 16);
  // The taller value sets the row's height: 30 + 64 + 32, the format's row
  // 16, then 15.
  EXPECT_EQ(names.values[5].top, 30 + 4 * 16 + 32);
  const int version = 30 + 4 * 16 + 32 + 16 + 15;
  EXPECT_EQ(layout.sections[1].header.top, version);
  EXPECT_EQ(layout.sections[1].values[0], (TBox{0, version + 30, 380, 48, true}));
  // Copyright and trademark are empty: hidden, no space.
  for (size_t s : {2u, 3u}) {
    EXPECT_FALSE(layout.sections[s].header.visible);
    EXPECT_FALSE(layout.sections[s].line.visible);
    EXPECT_FALSE(layout.sections[s].values[0].visible);
  }
  const int maker = version + 30 + 48 + 15;
  EXPECT_EQ(layout.sections[4].header.top, maker);
  EXPECT_EQ(layout.sections[4].link, (TBox{0, maker + 30 + 48, 380, 16, true}));
  // Designer, description and licence are empty.
  for (size_t s : {5u, 6u, 7u}) EXPECT_FALSE(layout.sections[s].header.visible);
  const int metrics = maker + 30 + 48 + 16 + 15;
  EXPECT_EQ(layout.sections[8].header.top, metrics);
  const int windows = metrics + 30 + 6 * 16 + 15;
  const TSectionPlace& win = layout.sections[9];
  EXPECT_EQ(win.header.top, windows);
  EXPECT_EQ(win.captions[5].top, windows + 30 + 5 * 16);
  EXPECT_EQ(win.captions[6].top, windows + 30 + 6 * 16 + 8);  // the flags part after 8 more
  // No section end after the last row.
  EXPECT_EQ(layout.height, windows + 30 + 13 * 16 + 8);
  // Every wrapped value is wrapped at the full width.
  EXPECT_EQ(m.wrappedWidths, (std::vector<int>{380, 380}));
}

TEST(FontInfoLayout, MakerWithoutAddressKeepsAnEmptyLinkLine) {
  TFakeMeasure m;
  const TInfoLayout with = LayoutSections(400, 16, Values(true), m);
  const TInfoLayout without = LayoutSections(400, 16, Values(false), m);
  EXPECT_TRUE(without.sections[4].header.visible);
  EXPECT_TRUE(without.sections[4].link.visible);
  EXPECT_EQ(without.sections[4].link.height, 0);
  EXPECT_EQ(with.height - without.height, 16);
  // Neither a maker nor an address: the section goes and the next moves up.
  std::vector<TSectionValues> none = Values(false);
  none[4].values[0].clear();
  const TInfoLayout gone = LayoutSections(400, 16, none, m);
  EXPECT_FALSE(gone.sections[4].header.visible);
  EXPECT_FALSE(gone.sections[4].link.visible);
  EXPECT_EQ(gone.sections[8].header.top, without.sections[4].header.top);
}

TEST(FontInfoLayout, NarrowPanelsLayOutAtTheMinimumAndScroll) {
  TFakeMeasure m;
  // 220 = 200 + 16 + 4 is just wide enough; one pixel less is not.
  EXPECT_FALSE(LayoutSections(220, 16, Values(true), m).horzScroll);
  const TInfoLayout narrow = LayoutSections(219, 16, Values(true), m);
  EXPECT_TRUE(narrow.horzScroll);
  EXPECT_EQ(narrow.width, kMinLayoutWidth);
  const TInfoLayout tiny = LayoutSections(10, 16, Values(true), m);
  EXPECT_EQ(tiny.width, kMinLayoutWidth);
  EXPECT_EQ(tiny.sections[1].values[0].width, kMinLayoutWidth);
  EXPECT_EQ(tiny.sections[0].values[0].width, kMinLayoutWidth - 74);
  // No values at all (after clearing): only the three row sections remain.
  const TInfoLayout cleared = LayoutSections(400, 16, std::vector<TSectionValues>(kSectionCount), m);
  int shown = 0;
  for (const auto& s : cleared.sections) shown += s.header.visible ? 1 : 0;
  EXPECT_EQ(shown, 3);
}
