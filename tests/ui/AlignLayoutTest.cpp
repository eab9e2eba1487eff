#include "ui/AlignLayout.h"

#include <gtest/gtest.h>

namespace {

TAlignItem Item(TAlign align, int width, int height, bool visible = true) {
  return TAlignItem{align, TRect{0, 0, width, height}, visible};
}

struct TLayoutCase {
  const char* what;
  TRect area;
  std::vector<TAlignItem> items;
  std::vector<TRect> placed;  // item by item
};

TEST(AlignLayout, ItemsArePlacedTopBottomLeftRightThenClientInTheirOrder) {
  const TLayoutCase cases[] = {
      {"each alignment, the client control taking the rest",
       {5, 5, 205, 105},
       {Item(alClient, 1, 1), Item(alLeft, 50, 1), Item(alTop, 1, 20), Item(alRight, 30, 1),
        Item(alBottom, 1, 10)},
       {{55, 25, 175, 95}, {5, 25, 55, 95}, {5, 5, 205, 25}, {175, 25, 205, 95}, {5, 95, 205, 105}}},
      {"a list, its splitter and the next list stacked on one page",
       {0, 0, 180, 300},
       {Item(alTop, 1, 93), Item(alTop, 1, 5), Item(alClient, 1, 1)},
       {{0, 0, 180, 93}, {0, 93, 180, 98}, {0, 98, 180, 300}}},
      {"hidden and unaligned items untouched, taking no room",
       {0, 0, 100, 100},
       {Item(alTop, 1, 40, false), TAlignItem{alNone, TRect{3, 3, 10, 10}, true}, Item(alClient, 1, 1)},
       {{0, 0, 1, 40}, {3, 3, 10, 10}, {0, 0, 100, 100}}},
      {"too little room: nothing negative, the later items squeezed to nothing",
       {0, 0, 100, 100},
       {Item(alTop, 1, 80), Item(alBottom, 1, 80), Item(alLeft, 300, 1), Item(alClient, 1, 1)},
       {{0, 0, 100, 80}, {0, 80, 100, 100}, {0, 80, 100, 80}, {100, 80, 100, 80}}},
      {"an area turned inside out is empty", {10, 10, 5, 5}, {Item(alClient, 1, 1)}, {{10, 10, 10, 10}}},
  };
  for (const TLayoutCase& c : cases) {
    std::vector<TAlignItem> items = c.items;
    AlignItems(c.area, items);
    ASSERT_EQ(items.size(), c.placed.size()) << c.what;
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].bounds, c.placed[i]) << c.what << ", item " << i;
  }
}

}  // namespace
