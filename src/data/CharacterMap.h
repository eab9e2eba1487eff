// The code points a face maps: what its Windows cmap subtables hold, the
// Unicode ones (3,1 and 3,10, formats 4 and 12) and the symbol one (3,0),
// together. A code point mapped to glyph 0 (the missing glyph) is not mapped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TBlockReader;

// Ascending, each once. Empty when the face maps nothing we read or the file
// cannot be read. Bounded on hostile tables: a subtable is cut at the end of
// its table (and of the file), ranges that go back over earlier ones are cut
// to what lies beyond them, as a binary search would never find the rest, so
// each subtable costs at most one visit per code point.
std::vector<char32_t> ReadCodePoints(TBlockReader& in, uint32_t face);
std::vector<char32_t> ReadCodePoints(const std::string& path, uint32_t face);
