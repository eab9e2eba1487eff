// The text form of a report view's column widths, as the layout store keeps it:
// decimal widths joined by "," with no blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string FormatColumnWidths(const std::vector<int>& widths);

// Assigns the n-th number of `text` to the n-th width while widths remain. A
// part that is not a width (empty, not decimal, negative, absurdly large)
// leaves its column as it is; the next part still goes to the next column.
void ApplyColumnWidths(std::string_view text, std::vector<int>& widths);
