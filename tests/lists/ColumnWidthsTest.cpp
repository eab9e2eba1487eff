#include "lists/ColumnWidths.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnWidths, FormatsDecimalWidthsJoinedByCommas) {
  EXPECT_EQ(FormatColumnWidths({150, 100}), "150,100");
  EXPECT_EQ(FormatColumnWidths({150, 100, 300}), "150,100,300");
  EXPECT_EQ(FormatColumnWidths({}), "");
}

TEST(ColumnWidths, ANonNumberKeepsItsColumnAndTheNextPartGoesToTheNextColumn) {
  std::vector<int> widths{150, 100, 300};
  ApplyColumnWidths("80,abc,90", widths);
  EXPECT_EQ(widths, (std::vector<int>{80, 100, 90}));

  widths = {150, 100, 300};
  ApplyColumnWidths("80,,90", widths);
  EXPECT_EQ(widths, (std::vector<int>{80, 100, 90}));
}

TEST(ColumnWidths, ExtraNumbersAreIgnoredAndMissingOnesLeaveColumns) {
  std::vector<int> widths{150, 100};
  ApplyColumnWidths("1,2,3,4", widths);
  EXPECT_EQ(widths, (std::vector<int>{1, 2}));

  widths = {150, 100, 300};
  ApplyColumnWidths("70", widths);
  EXPECT_EQ(widths, (std::vector<int>{70, 100, 300}));
}

TEST(ColumnWidths, HostileTextNeverGivesANegativeOrHugeWidth) {
  std::vector<int> widths{150, 100, 300};
  ApplyColumnWidths("-5,99999999999999999999,12x", widths);
  EXPECT_EQ(widths, (std::vector<int>{150, 100, 300}));
  ApplyColumnWidths(" 40 ,+60", widths);
  EXPECT_EQ(widths, (std::vector<int>{40, 60, 300}));
  ApplyColumnWidths("", widths);
  EXPECT_EQ(widths, (std::vector<int>{40, 60, 300}));
}

}  // namespace
