#include "tests/support/TrueTypeWriter.h"

#include <algorithm>
#include <stdexcept>

namespace tt {

std::string U16(uint16_t value) {
  return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}

std::string U32(uint32_t value) { return U16(uint16_t(value >> 16)) + U16(uint16_t(value)); }

namespace {

std::string S16(int16_t value) { return U16(static_cast<uint16_t>(value)); }

// Decodes one UTF-8 sequence; tests only feed well-formed text.
char32_t NextCodePoint(std::string_view text, size_t& i) {
  unsigned char c = static_cast<unsigned char>(text[i++]);
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
  for (; extra > 0 && i < text.size(); --extra) cp = (cp << 6) | (text[i++] & 0x3F);
  return cp;
}

}  // namespace

std::string Utf16BE(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += U16(uint16_t(0xD800 + (cp >> 10)));
      out += U16(uint16_t(0xDC00 + (cp & 0x3FF)));
    } else {
      out += U16(uint16_t(cp));
    }
  }
  return out;
}

NameRecord MsName(uint16_t nameId, std::string_view utf8, uint16_t language) {
  return {.platform = 3, .encoding = 1, .language = language, .nameId = nameId, .bytes = Utf16BE(utf8)};
}

NameRecord MacName(uint16_t nameId, std::string_view bytes) {
  return {.platform = 1, .encoding = 0, .language = 0, .nameId = nameId, .bytes = std::string(bytes)};
}

std::string NameTable(const std::vector<NameRecord>& records, const NameTableOptions& options) {
  const uint16_t storageStart = uint16_t(6 + 12 * records.size());
  std::string table = U16(0);
  table += U16(options.count.value_or(uint16_t(records.size())));
  table += U16(options.stringOffset.value_or(storageStart));
  std::string storage;
  for (const NameRecord& r : records) {
    table += U16(r.platform) + U16(r.encoding) + U16(r.language) + U16(r.nameId);
    table += U16(r.length.value_or(uint16_t(r.bytes.size())));
    table += U16(r.offset.value_or(uint16_t(storage.size())));
    storage += r.bytes;
  }
  return table + storage;
}

std::string HeadTable(const Head& h) {
  std::string t = U32(0x00010000) + U32(0x00010000);  // version, fontRevision
  t += U32(0) + U32(0x5F0F3CF5) + U16(0x000B);        // checkSumAdjustment, magic, flags
  t += U16(h.unitsPerEm);
  t += std::string(16, '\0');                          // created, modified
  t += S16(0) + S16(-500) + S16(2000) + S16(1900);     // bounding box
  t += U16(h.macStyle) + U16(h.lowestRecPPEM);
  t += S16(2) + S16(0) + S16(0);  // fontDirectionHint, indexToLocFormat, glyphDataFormat
  return t;
}

std::string HheaTable(const Hhea& h) {
  std::string t = U32(0x00010000);
  t += S16(h.ascender) + S16(h.descender) + S16(h.lineGap);
  t += U16(2100) + S16(-100) + S16(-50);  // advanceWidthMax, min side bearings
  t += S16(h.xMaxExtent);
  t += S16(1) + S16(0) + S16(0);  // caret slope rise, run, offset
  t += std::string(8, '\0');      // reserved
  t += S16(0) + U16(1);           // metricDataFormat, numberOfHMetrics
  return t;
}

std::string CmapFormat4(const std::vector<CmapSegment>& segments, const std::vector<uint16_t>& glyphIds) {
  const auto n = uint16_t(segments.size());
  std::string ends, starts, deltas, offsets, glyphs;
  for (const CmapSegment& s : segments) {
    ends += U16(s.end);
    starts += U16(s.start);
    deltas += U16(s.delta);
    offsets += U16(s.rangeOffset);
  }
  for (uint16_t g : glyphIds) glyphs += U16(g);
  const auto length = uint16_t(16 + 8 * n + 2 * glyphIds.size());
  return U16(4) + U16(length) + U16(0) + U16(uint16_t(2 * n)) + U16(0) + U16(0) + U16(0) + ends + U16(0) +
         starts + deltas + offsets + glyphs;
}

std::string CmapFormat12(const std::vector<CmapGroup>& groups, std::optional<uint32_t> count) {
  const uint32_t n = count.value_or(uint32_t(groups.size()));
  const uint64_t length = std::min<uint64_t>(16 + 12 * uint64_t(n), 0xFFFFFFFF);
  std::string out = U16(12) + U16(0) + U32(uint32_t(length)) + U32(0) + U32(n);
  for (const CmapGroup& g : groups) out += U32(g.first) + U32(g.last) + U32(g.glyph);
  return out;
}

std::string CmapTable(const std::vector<CmapEncoding>& encodings) {
  std::string records, subtables;
  size_t at = 4 + 8 * encodings.size();
  for (const CmapEncoding& e : encodings) {
    records += U16(e.platform) + U16(e.encoding) + U32(uint32_t(at + subtables.size()));
    subtables += e.subtable;
  }
  return U16(0) + U16(uint16_t(encodings.size())) + records + subtables;
}

std::string Os2Table(const Os2& o) {
  std::string t = U16(o.version) + S16(o.xAvgCharWidth) + U16(o.weightClass) + U16(o.widthClass);
  t += U16(0);                    // fsType
  t += std::string(20, '\0');     // subscript, superscript, strikeout sizes and positions
  t += S16(0);                    // sFamilyClass
  t.append(reinterpret_cast<const char*>(o.panose.data()), o.panose.size());
  t += std::string(16, '\0');     // ulUnicodeRange1-4
  t += "TEST";                    // achVendID
  t += U16(o.fsSelection) + U16(0x20) + U16(0xFFFF);  // first and last char index
  t += S16(1500) + S16(-500) + S16(0);                // typo metrics
  t += U16(o.winAscent) + U16(o.winDescent);
  t += U32(1) + U32(0);           // code page ranges
  return t;
}

FontBuilder& FontBuilder::Table(std::string_view tag, std::string data) {
  if (tag.size() != 4) throw std::invalid_argument("a table tag has four bytes");
  tables_.push_back({std::string(tag), std::move(data), std::nullopt});
  return *this;
}

FontBuilder& FontBuilder::Names(const std::vector<NameRecord>& records,
                                const NameTableOptions& options) {
  return Table("name", NameTable(records, options));
}

FontBuilder& FontBuilder::Head(const tt::Head& head) { return Table("head", HeadTable(head)); }
FontBuilder& FontBuilder::Hhea(const tt::Hhea& hhea) { return Table("hhea", HheaTable(hhea)); }
FontBuilder& FontBuilder::Os2(const tt::Os2& os2) { return Table("OS/2", Os2Table(os2)); }

FontBuilder& FontBuilder::TableOffset(std::string_view tag, uint32_t offset) {
  for (Entry& e : tables_)
    if (e.tag == tag) {
      e.offset = offset;
      return *this;
    }
  throw std::invalid_argument("no such table: " + std::string(tag));
}

FontBuilder& FontBuilder::NumTables(uint16_t count) {
  numTables_ = count;
  return *this;
}

FontBuilder& FontBuilder::Version(uint32_t version) {
  version_ = version;
  return *this;
}

std::string FontBuilder::Build(uint32_t start) const {
  const uint16_t n = uint16_t(tables_.size());
  uint16_t power = 1, log2 = 0;
  while (power * 2 <= n) power *= 2, ++log2;
  std::string font = U32(version_) + U16(numTables_.value_or(n));
  font += U16(uint16_t(power * 16)) + U16(log2) + U16(uint16_t(n * 16 - power * 16));

  std::string data;
  size_t at = start + 12 + 16 * tables_.size();
  for (const Entry& e : tables_) {
    uint32_t sum = 0;
    std::string padded = e.data + std::string((4 - e.data.size() % 4) % 4, '\0');
    for (size_t i = 0; i < padded.size(); i += 4)
      sum += uint32_t(uint8_t(padded[i])) << 24 | uint32_t(uint8_t(padded[i + 1])) << 16 |
             uint32_t(uint8_t(padded[i + 2])) << 8 | uint8_t(padded[i + 3]);
    font += e.tag + U32(sum) + U32(e.offset.value_or(uint32_t(at + data.size())));
    font += U32(uint32_t(e.data.size()));
    data += padded;
  }
  return font + data;
}

std::string Collection(const std::vector<FontBuilder>& faces, const CollectionOptions& options) {
  const size_t header = 12 + 4 * faces.size() + (options.version >= 0x00020000 ? 12 : 0);
  std::string body;
  std::vector<uint32_t> offsets;
  for (const FontBuilder& face : faces) {
    offsets.push_back(uint32_t(header + body.size()));
    body += face.Build(offsets.back());
    body += std::string((4 - body.size() % 4) % 4, '\0');
  }
  std::string file = "ttcf" + U32(options.version) + U32(options.numFonts.value_or(uint32_t(faces.size())));
  for (size_t i = 0; i < faces.size(); ++i)
    file += U32(i < options.offsets.size() ? options.offsets[i] : offsets[i]);
  if (options.version >= 0x00020000) file += U32(0) + U32(0) + U32(0);  // no signature
  return file + body;
}

FontBuilder StandardFont(std::string_view fullName, std::string_view familyName) {
  FontBuilder b;
  b.Names({MsName(1, familyName), MsName(4, fullName)});
  b.Head().Hhea().Os2({.panose = {2, 11, 6, 3}});
  return b;
}

}  // namespace tt
