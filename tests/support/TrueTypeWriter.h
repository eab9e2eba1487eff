// Builds TrueType files byte by byte for tests: the tables you choose, in the
// directory order you choose, with name records spelled out field by field.
// Only what the reader looks at is modelled; the result is not a drawable font.
//
//   std::string font = tt::FontBuilder()
//                          .Names({tt::MsName(4, "Test Sans"), tt::MacName(4, "Mac Name")})
//                          .Head({.unitsPerEm = 1000})
//                          .Os2({.panose = {2, 11}, .fsSelection = 0x21})
//                          .Build();
//   backend.AddFile("C:\\Fonts\\TEST.TTF", font);
//   backend.AddFile("C:\\Fonts\\CUT.TTF", font.substr(0, 30));  // truncated
//
// tt::StandardFont("Name") gives a builder already holding name (full and
// family name), head, hhea and OS/2 with the defaults below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tt {

// Big-endian numbers as bytes.
std::string U16(uint16_t value);
std::string U32(uint32_t value);
// UTF-8 text as big-endian UTF-16, the way Microsoft name records store it.
std::string Utf16BE(std::string_view utf8);

struct NameRecord {
  uint16_t platform = 3;
  uint16_t encoding = 1;
  uint16_t language = 0x0409;
  uint16_t nameId = 4;
  std::string bytes;              // the stored string, put into the string storage
  std::optional<uint16_t> length;  // written instead of bytes.size()
  std::optional<uint16_t> offset;  // written instead of where bytes was placed
};

// A Microsoft record (platform 3, encoding 1) holding `utf8` as UTF-16BE.
NameRecord MsName(uint16_t nameId, std::string_view utf8, uint16_t language = 0x0409);
// A Macintosh record (platform 1, encoding 0, language 0) holding the bytes as given.
NameRecord MacName(uint16_t nameId, std::string_view bytes);

struct NameTableOptions {
  std::optional<uint16_t> count;          // written instead of the number of records
  std::optional<uint16_t> stringOffset;   // written instead of the real start of storage
};
std::string NameTable(const std::vector<NameRecord>& records, const NameTableOptions& options = {});

struct Head {
  uint16_t unitsPerEm = 2048;
  uint16_t lowestRecPPEM = 9;
  uint16_t macStyle = 0;
};
std::string HeadTable(const Head& head);

struct Hhea {
  int16_t ascender = 1901;
  int16_t descender = -483;
  int16_t lineGap = 0;
  int16_t xMaxExtent = 2000;
};
std::string HheaTable(const Hhea& hhea);

struct Os2 {
  uint16_t version = 1;
  int16_t xAvgCharWidth = 1000;
  uint16_t weightClass = 400;
  uint16_t widthClass = 5;
  std::array<uint8_t, 10> panose{};  // bFamilyType, bSerifStyle, bWeight, bProportion...
  uint16_t fsSelection = 0x40;
  uint16_t winAscent = 1901;
  uint16_t winDescent = 483;
};
std::string Os2Table(const Os2& os2);  // 86 bytes, the version 0/1 layout

// cmap subtables. Format 4: the segments as given (add the 0xFFFF sentinel
// yourself), then the glyph index array; a segment's rangeOffset counts from
// its own rangeOffset field, as the format has it.
struct CmapSegment {
  uint16_t start = 0;
  uint16_t end = 0;
  uint16_t delta = 0;
  uint16_t rangeOffset = 0;
};
std::string CmapFormat4(const std::vector<CmapSegment>& segments, const std::vector<uint16_t>& glyphIds = {});
struct CmapGroup {
  uint32_t first = 0;
  uint32_t last = 0;
  uint32_t glyph = 0;
};
// Format 12; `count` is written instead of the number of groups, and the
// length follows it.
std::string CmapFormat12(const std::vector<CmapGroup>& groups, std::optional<uint32_t> count = {});
struct CmapEncoding {
  uint16_t platform = 3;
  uint16_t encoding = 1;
  std::string subtable;
};
// The encoding records, then their subtables in the same order.
std::string CmapTable(const std::vector<CmapEncoding>& encodings);

class FontBuilder {
 public:
  // Adds a table with the given raw contents. The directory lists tables in
  // the order they were added; their data follow the directory, 4-aligned.
  FontBuilder& Table(std::string_view tag, std::string data);
  FontBuilder& Names(const std::vector<NameRecord>& records, const NameTableOptions& options = {});
  FontBuilder& Head(const tt::Head& head = {});
  FontBuilder& Hhea(const tt::Hhea& hhea = {});
  FontBuilder& Os2(const tt::Os2& os2 = {});

  // The directory entry of `tag` (its first one) gives this offset instead.
  FontBuilder& TableOffset(std::string_view tag, uint32_t offset);
  // The header's numTables field says this instead of the number of tables.
  FontBuilder& NumTables(uint16_t count);
  // The sfnt version: 0x00010000 (TrueType outlines) unless told, 'OTTO' for CFF.
  FontBuilder& Version(uint32_t version);

  // `at`: where the font starts in the file (inside a collection), which its
  // tables' offsets count from the file's start.
  std::string Build(uint32_t at = 0) const;

 private:
  struct Entry {
    std::string tag;
    std::string data;
    std::optional<uint32_t> offset;
  };
  std::vector<Entry> tables_;
  std::optional<uint16_t> numTables_;
  uint32_t version_ = 0x00010000;
};

constexpr uint32_t kOtto = 0x4F54544F;  // 'OTTO': an OpenType font with CFF outlines

struct CollectionOptions {
  uint32_t version = 0x00010000;           // 0x00020000 adds the three signature fields
  std::optional<uint32_t> numFonts;        // written instead of the number of faces
  std::vector<uint32_t> offsets;           // written instead of the faces' real offsets
};
// A 'ttcf' collection holding the faces one after another, each table
// directory at its own offset, the tables' offsets counted from the file's start.
std::string Collection(const std::vector<FontBuilder>& faces, const CollectionOptions& options = {});

// name (full name as nameID 4, family name as nameID 1), head, hhea and OS/2
// (PANOSE of a sans serif face), in that order.
FontBuilder StandardFont(std::string_view fullName, std::string_view familyName = "Test Family");

}  // namespace tt
