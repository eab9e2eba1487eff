#include "data/CharacterMap.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "data/BlockReader.h"
#include "sys/sys.h"

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr uint16_t kPlatformMicrosoft = 3;
constexpr uint16_t kEncodings[] = {0, 1, 10};  // symbol, BMP, full repertoire
// Bytes of a format 12 subtable read at once.
constexpr size_t kGroupChunk = 12 * 1024;

struct Table {
  uint64_t offset = 0;
  uint64_t end = 0;  // as the directory says; the file may end sooner
};

// The face's cmap table, found through its table directory.
bool FindCmap(TBlockReader& in, uint32_t face, Table& table) {
  uint64_t base = 0;
  uint8_t header[12];
  size_t got = 0;
  if (!in.Read(0, header, sizeof header, got) || got < 12) return false;
  if (std::memcmp(header, "ttcf", 4) == 0) {
    if (face >= TBlockReader::Be32(header + 8)) return false;
    uint8_t offset[4];
    if (!in.Read(12 + 4 * uint64_t(face), offset, 4, got) || got < 4) return false;
    base = TBlockReader::Be32(offset);
  } else if (face != 0) {
    return false;
  }
  bool failed = false;
  const uint16_t numTables = in.U16(base + 4, &failed);
  for (uint32_t i = 0; i < numTables && !failed; ++i) {
    uint8_t entry[16];
    if (!in.Read(base + 12 + 16 * uint64_t(i), entry, sizeof entry, got) || got < sizeof entry) return false;
    if (std::memcmp(entry, "cmap", 4) != 0) continue;
    table.offset = TBlockReader::Be32(entry + 8);
    table.end = table.offset + TBlockReader::Be32(entry + 12);
    return true;
  }
  return false;
}

// Code point ranges gathered from the subtables, merged at the end.
class TRanges {
 public:
  // [first, last], cut to the code points and to what lies past `floor`,
  // the end of the subtable's ranges so far.
  void Add(char32_t first, char32_t last, char32_t& floor) {
    last = std::min(last, kLastCodePoint);
    first = std::max(first, floor);
    if (first > last) return;
    ranges_.push_back({first, last});
    floor = last + 1;
  }
  std::vector<char32_t> Points() {
    std::sort(ranges_.begin(), ranges_.end());
    std::vector<char32_t> points;
    char32_t next = 0;  // the first code point not yet taken
    bool any = false;
    for (auto [first, last] : ranges_) {
      if (any) first = std::max(first, next);
      for (char32_t c = first; c <= last; ++c) points.push_back(c);
      if (first <= last) {
        next = last + 1;
        any = true;
      }
    }
    return points;
  }

 private:
  std::vector<std::pair<char32_t, char32_t>> ranges_;
};

// Format 4: segments of 16-bit codes, each mapping by a delta or through the
// glyph index array. Its length field is 16 bits, so it is read whole.
void ReadFormat4(TBlockReader& in, uint64_t at, uint64_t tableEnd, TRanges& ranges) {
  const uint64_t length = std::min<uint64_t>(in.U16(at + 2), tableEnd - at);
  std::vector<uint8_t> bytes(length);
  size_t got = 0;
  if (length < 14 || !in.Read(at, bytes.data(), bytes.size(), got)) return;
  bytes.resize(got);
  const auto u16 = [&bytes](size_t pos) {
    return pos + 2 <= bytes.size() ? TBlockReader::Be16(bytes.data() + pos) : uint16_t(0);
  };
  const size_t segments = u16(6) / 2;
  const size_t ends = 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
               rangeOffsets = deltas + 2 * segments;
  // A segment needs all four of its fields.
  const size_t held = bytes.size() < rangeOffsets ? 0 : std::min(segments, (bytes.size() - rangeOffsets) / 2);
  char32_t floor = 0;
  for (size_t i = 0; i < held; ++i) {
    const char32_t end = u16(ends + 2 * i), start = u16(starts + 2 * i);
    const uint16_t delta = u16(deltas + 2 * i), rangeOffset = u16(rangeOffsets + 2 * i);
    if (rangeOffset == 0) {
      // Glyph (c + delta) mod 65536: 0 for one code at most.
      const char32_t missing = (0x10000 - delta) & 0xFFFF;
      if (missing >= start && missing <= end) {
        if (missing > start) ranges.Add(start, missing - 1, floor);
        ranges.Add(missing + 1, end, floor);
      } else {
        ranges.Add(start, end, floor);
      }
      continue;
    }
    // The glyph index array entry lies rangeOffset bytes past the segment's
    // own rangeOffset field; an entry past the subtable maps nothing.
    const size_t entry0 = rangeOffsets + 2 * i + rangeOffset;
    for (char32_t c = std::max(start, floor); c <= end; ++c) {
      const size_t pos = entry0 + 2 * size_t(c - start);
      if (pos + 2 > bytes.size()) break;
      const uint16_t glyph = u16(pos);
      if (glyph != 0 && uint16_t(glyph + delta) != 0) ranges.Add(c, c, floor);
    }
    floor = std::max<char32_t>(floor, end + 1);
  }
}

// Format 12: groups of consecutive codes to consecutive glyphs, read a chunk
// at a time; a group count the subtable cannot hold is cut.
void ReadFormat12(TBlockReader& in, uint64_t at, uint64_t tableEnd, TRanges& ranges) {
  const uint64_t length = std::min<uint64_t>(in.U32(at + 4), tableEnd - at);
  if (length < 16) return;
  const uint64_t groups = std::min<uint64_t>(in.U32(at + 12), (length - 16) / 12);
  char32_t floor = 0;
  std::unique_ptr<uint8_t[]> chunk(new uint8_t[kGroupChunk]);
  for (uint64_t done = 0; done < groups;) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(groups - done, kGroupChunk / 12)) * 12;
    size_t got = 0;
    if (!in.Read(at + 16 + 12 * done, chunk.get(), want, got)) return;
    for (size_t g = 0; g + 12 <= got; g += 12) {
      const char32_t first = TBlockReader::Be32(chunk.get() + g);
      const char32_t last = TBlockReader::Be32(chunk.get() + g + 4);
      const uint32_t glyph = TBlockReader::Be32(chunk.get() + g + 8);
      if (first > last || first > kLastCodePoint) continue;
      // Glyph 0 only for the first code of a group that starts there.
      ranges.Add(glyph == 0 ? first + 1 : first, last, floor);
    }
    if (got < want) return;  // the file ends
    done += want / 12;
  }
}

}  // namespace

std::vector<char32_t> ReadCodePoints(TBlockReader& in, uint32_t face) {
  Table table;
  if (!FindCmap(in, face, table) || table.end <= table.offset) return {};
  const uint16_t count = in.U16(table.offset + 2);
  TRanges ranges;
  // The first record of each encoding counts; later ones are ignored, so a
  // table of many records pointing at one big subtable costs one read.
  bool seen[std::size(kEncodings)] = {};
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t record = table.offset + 4 + 8 * uint64_t(i);
    if (record + 8 > table.end) break;
    bool failed = false;
    const uint16_t platform = in.U16(record, &failed);
    const uint16_t encoding = in.U16(record + 2, &failed);
    const uint64_t at = table.offset + in.U32(record + 4, &failed);
    if (failed) break;
    if (platform != kPlatformMicrosoft) continue;
    const auto known = std::find(std::begin(kEncodings), std::end(kEncodings), encoding);
    if (known == std::end(kEncodings) || std::exchange(seen[known - std::begin(kEncodings)], true)) continue;
    if (at + 4 > table.end) continue;
    switch (in.U16(at)) {
      case 4: ReadFormat4(in, at, table.end, ranges); break;
      case 12: ReadFormat12(in, at, table.end, ranges); break;
      default: break;
    }
  }
  return ranges.Points();
}

std::vector<char32_t> ReadCodePoints(const std::string& path, uint32_t face) {
  std::unique_ptr<sys::InFile> file = sys::Current().OpenRead(path);
  if (!file) return {};
  TBlockReader in(*file);
  return ReadCodePoints(in, face);
}
