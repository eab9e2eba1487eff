// The Unicode blocks, each with its range, its standard (English) name,
// which scripts use, and its Chinese name where one is usual.
#pragma once

#include <cstddef>
#include <span>

struct TUnicodeBlock {
  char32_t first;
  char32_t last;
  const char* name;     // ASCII
  const char* chinese;  // UTF-8; null where the standard name is shown
};

// In code point order, not overlapping.
std::span<const TUnicodeBlock> UnicodeBlocks();
// The block holding `c`, or null for a code point outside every block.
const TUnicodeBlock* BlockOf(char32_t c);
