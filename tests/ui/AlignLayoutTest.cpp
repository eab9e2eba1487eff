#include "ui/AlignLayout.h"

#include <gtest/gtest.h>

namespace {

TAlignItem Item(TAlign align, int width, int height, bool visible = true) {
  return TAlignItem{align, TRect{0, 0, width, height}, visible};
}

TEST(AlignLayout, TopBottomThenLeftRightThenClient) {
  std::vector<TAlignItem> items = {Item(alClient, 1, 1), Item(alLeft, 50, 1), Item(alTop, 1, 20),
                                   Item(alRight, 30, 1), Item(alBottom, 1, 10)};
  AlignItems(TRect{5, 5, 205, 105}, items);
  EXPECT_EQ(items[2].bounds, (TRect{5, 5, 205, 25}));     // top: full width
  EXPECT_EQ(items[4].bounds, (TRect{5, 95, 205, 105}));   // bottom: full width
  EXPECT_EQ(items[1].bounds, (TRect{5, 25, 55, 95}));     // left: between them
  EXPECT_EQ(items[3].bounds, (TRect{175, 25, 205, 95}));  // right
  EXPECT_EQ(items[0].bounds, (TRect{55, 25, 175, 95}));   // client: the rest
}

TEST(AlignLayout, SameAlignmentStacksInOrder) {
  // A list, its splitter and the next list on one page.
  std::vector<TAlignItem> items = {Item(alTop, 1, 93), Item(alTop, 1, 5), Item(alClient, 1, 1)};
  AlignItems(TRect{0, 0, 180, 300}, items);
  EXPECT_EQ(items[0].bounds, (TRect{0, 0, 180, 93}));
  EXPECT_EQ(items[1].bounds, (TRect{0, 93, 180, 98}));
  EXPECT_EQ(items[2].bounds, (TRect{0, 98, 180, 300}));
}

TEST(AlignLayout, HiddenAndUnalignedItemsTakeNoRoom) {
  std::vector<TAlignItem> items = {Item(alTop, 1, 40, false), Item(alNone, 7, 7),
                                   Item(alClient, 1, 1)};
  items[1].bounds = TRect{3, 3, 10, 10};
  AlignItems(TRect{0, 0, 100, 100}, items);
  EXPECT_EQ(items[0].bounds, (TRect{0, 0, 1, 40}));  // untouched
  EXPECT_EQ(items[1].bounds, (TRect{3, 3, 10, 10}));
  EXPECT_EQ(items[2].bounds, (TRect{0, 0, 100, 100}));
}

TEST(AlignLayout, TooLittleRoomNeverGivesNegativeSizes) {
  std::vector<TAlignItem> items = {Item(alTop, 1, 80), Item(alBottom, 1, 80), Item(alLeft, 300, 1),
                                   Item(alClient, 1, 1)};
  AlignItems(TRect{0, 0, 100, 100}, items);
  for (const TAlignItem& item : items) {
    EXPECT_GE(item.bounds.Width(), 0);
    EXPECT_GE(item.bounds.Height(), 0);
  }
  EXPECT_EQ(items[1].bounds, (TRect{0, 80, 100, 100}));
  EXPECT_EQ(items[3].bounds.Height(), 0);
  EXPECT_EQ(items[2].bounds.Width(), 100);
}

TEST(AlignLayout, AreaTurnedInsideOutIsEmpty) {
  std::vector<TAlignItem> items = {Item(alClient, 1, 1)};
  AlignItems(TRect{10, 10, 5, 5}, items);
  EXPECT_EQ(items[0].bounds, (TRect{10, 10, 10, 10}));
}

}  // namespace
