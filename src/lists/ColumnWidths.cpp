#include "lists/ColumnWidths.h"

namespace {

// Wider than any screen; keeps hostile layout values from overflowing.
constexpr int kMaxColumnWidth = 100000;

bool ParseWidth(std::string_view part, int& width) {
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  if (!part.empty() && part.front() == '+') part.remove_prefix(1);
  if (part.empty()) return false;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > kMaxColumnWidth) return false;
  }
  width = value;
  return true;
}

}  // namespace

std::string FormatColumnWidths(const std::vector<int>& widths) {
  std::string text;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i) text += ',';
    text += std::to_string(widths[i]);
  }
  return text;
}

void ApplyColumnWidths(std::string_view text, std::vector<int>& widths) {
  size_t column = 0;
  while (column < widths.size()) {
    size_t comma = text.find(',');
    ParseWidth(text.substr(0, comma), widths[column]);
    ++column;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
}
