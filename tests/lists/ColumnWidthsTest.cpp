#include "lists/ColumnWidths.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnWidths, FormatsDecimalWidthsJoinedByCommasAndAppliesOnlyTheSoundNumbersColumnByColumn) {
  EXPECT_EQ(FormatColumnWidths({150, 100}), "150,100");
  EXPECT_EQ(FormatColumnWidths({150, 100, 300}), "150,100,300");
  EXPECT_EQ(FormatColumnWidths({}), "");

  struct {
    const char* text;
    std::vector<int> before, after;
  } const cases[] = {
      // A non-number keeps its column; the next part goes to the next column.
      {"80,abc,90", {150, 100, 300}, {80, 100, 90}},
      {"80,,90", {150, 100, 300}, {80, 100, 90}},
      // Extra numbers are ignored; missing ones leave their columns.
      {"1,2,3,4", {150, 100}, {1, 2}},
      {"70", {150, 100, 300}, {70, 100, 300}},
      // Hostile text never gives a negative or huge width.
      {"-5,99999999999999999999,12x", {150, 100, 300}, {150, 100, 300}},
      {" 40 ,+60", {150, 100, 300}, {40, 60, 300}},
      {"", {40, 60, 300}, {40, 60, 300}},
  };
  for (const auto& c : cases) {
    std::vector<int> widths = c.before;
    ApplyColumnWidths(c.text, widths);
    EXPECT_EQ(widths, c.after) << '"' << c.text << '"';
  }
}

}  // namespace
