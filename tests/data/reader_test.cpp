// ReadFontFile: what it takes from the name, head, hhea and OS/2 tables, and
// what it makes of broken files.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "data/CharacterMap.h"
#include "data/VLMUtil.h"
#include "tests/support/ScopedCodePage.h"
#include "tests/data/reader_fixture.h"

namespace {

using tt::FontBuilder;
using tt::MacName;
using tt::MsName;

TEST_F(ReaderTest, AllTablesFillEveryField) {
  std::vector<tt::NameRecord> names;
  for (uint16_t id = 0; id <= 15; ++id) names.push_back(MsName(id, "name " + std::to_string(id)));
  const std::string font = FontBuilder()
                               .Head({.unitsPerEm = 1000, .lowestRecPPEM = 7})
                               .Names(names)
                               .Hhea({.ascender = 800, .descender = -200, .lineGap = 90, .xMaxExtent = 1200})
                               .Os2({.xAvgCharWidth = -10, .weightClass = 700, .widthClass = 3,
                                     .panose = {2, 2, 0, 3}, .fsSelection = 0x21,
                                     .winAscent = 0xFFFF, .winDescent = 1})
                               .Build();
  const TFontFields f = ReadAll(font);
  EXPECT_FALSE(f.Bad);
  EXPECT_TRUE(f.InfoRead);
  const std::pair<const std::string*, int> expected[] = {
      {&f.Copyright, 0},  {&f.FamilyName, 1},   {&f.SubfamilyName, 2}, {&f.UniqueID, 3},
      {&f.FontName, 4},   {&f.Version, 5},      {&f.PostScriptName, 6}, {&f.Trademark, 7},
      {&f.Manufacturer, 8}, {&f.Designer, 9},   {&f.Description, 10},  {&f.VendorURL, 11},
      {&f.DesignerURL, 12}, {&f.License, 13},   {&f.LicenseURL, 14}};
  for (const auto& [field, id] : expected) EXPECT_EQ(*field, "name " + std::to_string(id));
  EXPECT_EQ(f.UnitsPerEm, 1000);
  EXPECT_EQ(f.LowestRecPPEM, 7);
  EXPECT_EQ(f.Ascender, 800);
  EXPECT_EQ(f.Descender, -200);
  EXPECT_EQ(f.LineGap, 90);
  EXPECT_EQ(f.MaxExtent, 1200);
  EXPECT_EQ(f.AvgCharWidth, -10);
  EXPECT_EQ(f.WeightClass, 700);
  EXPECT_EQ(f.WidthClass, 3);
  EXPECT_EQ(f.WinAscent, 65535);
  EXPECT_EQ(f.WinDescent, 1);
  EXPECT_EQ(f.WinHeight, 65536) << "summed without truncation";
  EXPECT_EQ(f.FontKind, fkSerif);
  EXPECT_TRUE(f.Italic);
  EXPECT_TRUE(f.Bold);
  EXPECT_FALSE(f.Underscore || f.Negative || f.Outlined || f.Strikeout || f.Regular);
}

TEST_F(ReaderTest, EachStyleBitHasItsFlag) {
  bool TFontFields::*const flags[] = {&TFontFields::Italic,    &TFontFields::Underscore,
                                      &TFontFields::Negative,  &TFontFields::Outlined,
                                      &TFontFields::Strikeout, &TFontFields::Bold,
                                      &TFontFields::Regular};
  for (int bit = 0; bit < 7; ++bit) {
    const TFontFields f = ReadAll(FontBuilder().Os2({.fsSelection = uint16_t(1u << bit)}).Build());
    for (int other = 0; other < 7; ++other) EXPECT_EQ(f.*flags[other], other == bit) << bit;
  }
}

TEST_F(ReaderTest, NamesOnlyReadsTheFullNameAndNothingElseNoTablesMakeAnEmptyGoodRecord) {
  TFontFields f = ReadNames(tt::StandardFont("Test Sans Bold", "Test Sans").Build());
  EXPECT_EQ(f.FontName, "Test Sans Bold");
  EXPECT_FALSE(f.Bad);
  EXPECT_FALSE(f.InfoRead);
  EXPECT_EQ(f.FamilyName, "");
  EXPECT_EQ(f.UnitsPerEm, 0);
  EXPECT_EQ(f.FontKind, fkUnknown);

  f = ReadAll(FontBuilder().Build());
  EXPECT_FALSE(f.Bad);
  EXPECT_TRUE(f.InfoRead);
  EXPECT_EQ(f.FontName, "");
  EXPECT_EQ(f.UnitsPerEm, 0);
  f = ReadAll("");  // a 0-byte file has no directory to run out of
  EXPECT_FALSE(f.Bad);
  EXPECT_TRUE(f.InfoRead);
}

TEST_F(ReaderTest, NameAfterOtherTablesIsFoundInBothModes) {
  const std::string font =
      FontBuilder().Os2({.panose = {2, 11}}).Head().Names({MsName(4, "Late Name")}).Build();
  EXPECT_EQ(ReadNames(font).FontName, "Late Name");
  const TFontFields f = ReadAll(font);
  EXPECT_EQ(f.FontName, "Late Name");
  EXPECT_EQ(f.FontKind, fkSansSerif);
  EXPECT_EQ(f.UnitsPerEm, 2048);
}

TEST_F(ReaderTest, OnlyEnglishMicrosoftAndMacintoshNamesCount) {
  const std::string chinese = FontBuilder()
                                  .Names({MsName(4, "微软", 0x0804), MsName(1, "微软", 0x0804),
                                          {.platform = 0, .encoding = 3, .language = 0, .nameId = 4,
                                           .bytes = tt::Utf16BE("Unicode")}})
                                  .Build();
  TFontFields f = ReadAll(chinese);
  EXPECT_EQ(f.FontName, "");
  EXPECT_EQ(f.FamilyName, "");
  EXPECT_FALSE(f.Bad);

  for (uint16_t language : {0x0409, 0x0809, 0x0C09, 0x1009, 0x1409, 0x1809})
    EXPECT_EQ(ReadNames(FontBuilder().Names({MsName(4, "English", language)}).Build()).FontName,
              "English")
        << std::hex << language;
  EXPECT_EQ(ReadNames(FontBuilder().Names({MsName(4, "Irish?", 0x1C09)}).Build()).FontName, "");
}

TEST_F(ReaderTest, MicrosoftNameWinsOverMacintoshInBothModes) {
  for (bool macFirst : {true, false}) {
    std::vector<tt::NameRecord> names = {MsName(4, "Microsoft"), MsName(1, "MS Family")};
    names.insert(macFirst ? names.begin() : names.end(), {MacName(4, "Macintosh"), MacName(1, "Mac Family")});
    const std::string font = FontBuilder().Names(names).Build();
    EXPECT_EQ(ReadNames(font).FontName, "Microsoft") << macFirst;
    const TFontFields f = ReadAll(font);
    EXPECT_EQ(f.FontName, "Microsoft") << macFirst;
    EXPECT_EQ(f.FamilyName, "MS Family") << macFirst;
  }
}

TEST_F(ReaderTest, MacintoshNamesFillWhatMicrosoftLeavesEmpty) {
  const std::string font = FontBuilder()
                               .Names({MacName(4, "  Mac \xA5 Name\r"), MacName(4, "Second Mac"),
                                       MsName(1, "Family"), MacName(1, "Mac Family")})
                               .Build();
  EXPECT_EQ(ReadNames(font).FontName, "Mac \xA5 Name") << "taken byte for byte, trimmed";
  const TFontFields f = ReadAll(font);
  EXPECT_EQ(f.FontName, "Mac \xA5 Name");
  EXPECT_EQ(f.FamilyName, "Family");
}

TEST_F(ReaderTest, AnEmptyMicrosoftNameStillReplacesRepeatedOnesFirstForNamesOnlyLastForAll) {
  const std::string empty =
      FontBuilder().Names({MacName(4, "Mac"), MsName(4, " \t "), MsName(1, "")}).Build();
  EXPECT_EQ(ReadNames(empty).FontName, "");
  EXPECT_EQ(ReadAll(empty).FontName, "");
  const std::string repeated =
      FontBuilder().Names({MsName(4, "United States", 0x0409), MsName(4, "United Kingdom", 0x0809)}).Build();
  EXPECT_EQ(ReadNames(repeated).FontName, "United States");
  EXPECT_EQ(ReadAll(repeated).FontName, "United Kingdom");
}

TEST_F(ReaderTest, UnicodeNamesBecomeAnsiTextWhateverTheirLengths) {
  tt::NameRecord one = MsName(4, "AB");
  one.length = 1;  // half a code unit
  tt::NameRecord odd = MsName(1, "AB");
  odd.length = 3;  // the last odd byte is ignored
  tt::NameRecord none = MsName(2, "AB");
  none.length = 0;
  const TFontFields f = ReadAll(FontBuilder().Names({one, odd, none}).Build());
  EXPECT_EQ(f.FontName, "");
  EXPECT_EQ(f.FamilyName, "A");
  EXPECT_EQ(f.SubfamilyName, "");
  EXPECT_FALSE(f.Bad);

  ScopedCodePage codePage(936);
  const std::string font = FontBuilder().Names({MsName(4, "\t微软雅黑 Bold  ")}).Build();
  EXPECT_EQ(ReadNames(font).FontName, "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA Bold");
}

TEST_F(ReaderTest, ThingsPastTheEndOrCutOffByItReadAsZeroOrEmpty) {
  tt::NameRecord far = MsName(1, "Far");
  far.offset = 60000;
  const std::string font = FontBuilder()
                               .Names({MsName(4, "Near"), far})
                               .Head()
                               .Os2({.panose = {5}})
                               .TableOffset("head", 0x7FFFFFF0)
                               .TableOffset("OS/2", 0xFFFFFFFF)
                               .Build();
  TFontFields f = ReadAll(font);
  EXPECT_FALSE(f.Bad);
  EXPECT_TRUE(f.InfoRead);
  EXPECT_EQ(f.FontName, "Near");
  EXPECT_EQ(f.FamilyName, "");
  EXPECT_EQ(f.UnitsPerEm, 0);
  EXPECT_EQ(f.WeightClass, 0);
  EXPECT_EQ(f.FontKind, fkUnknown);

  // OS/2 last: cut the file inside usWeightClass, and another one inside the name string.
  const std::string full = FontBuilder().Names({MsName(4, "Cut Name")}).Os2({.weightClass = 0x0190}).Build();
  const size_t os2 = full.size() - 88;  // 86 bytes, padded to 4
  f = ReadAll(full.substr(0, os2 + 5));
  EXPECT_FALSE(f.Bad);
  EXPECT_EQ(f.AvgCharWidth, 1000);
  EXPECT_EQ(f.WeightClass, 0);
  EXPECT_EQ(f.FontName, "Cut Name");

  const std::string nameOnly = FontBuilder().Names({MsName(4, "Cut Name")}).Build();
  f = ReadNames(nameOnly.substr(0, nameOnly.size() - 3));
  EXPECT_FALSE(f.Bad);
  EXPECT_EQ(f.FontName, "") << "a string cut short is not half a name";
}

TEST_F(ReaderTest, TablesLackingLeaveEarlierValues) {
  // A record named from the installed-font table keeps that name when the
  // file holds none.
  os.AddFile(kPath, FontBuilder().Head({.unitsPerEm = 1000}).Build());
  TFontFileInfo record;
  record.SetFileNameAndName(kPath, "Known Name");
  EXPECT_EQ(record.UnitsPerEm(), 1000);
  EXPECT_EQ(record.FontName(), "Known Name");
  EXPECT_EQ(record.WeightClass(), 0);
  EXPECT_EQ(record.FontKind(), fkUnknown);
}

TEST_F(ReaderTest, DirectoryPastTheEndOrNoneAtAllMakesABadRecordWithAReason) {
  std::string tenBytes = tt::U32(0x00010000) + tt::U16(1) + std::string(4, '\0');
  os.SetLastError(0);
  TFontFields f = ReadAll(tenBytes);
  EXPECT_TRUE(f.Bad);
  EXPECT_FALSE(f.InfoRead);
  EXPECT_EQ(f.FontName, ErrorText(sys::kErrorHandleEof));

  // Two tables announced, the second tag cut short.
  f = ReadNames(FontBuilder().Os2().Names({MsName(4, "x")}).Build().substr(0, 12 + 16 + 3));
  EXPECT_TRUE(f.Bad);
  EXPECT_EQ(f.FontName, ErrorText(sys::kErrorHandleEof));

  // Bytes 4 and 5 of this text say 0x7420 tables; the file is far too short.
  const int reads = os.Reads();
  EXPECT_TRUE(ReadAll("This is a text file, not a font.\r\n").Bad);
  EXPECT_LE(os.Reads() - reads, 4) << "the walk stops at the first missing tag";
}

TEST_F(ReaderTest, UnreadableFilesAreBadWithTheSystemsText) {
  os.AddFile("C:\\Fonts\\LOCKED.TTF", tt::StandardFont("Locked").Build());
  os.LockFile("C:\\Fonts\\LOCKED.TTF");
  const std::pair<const char*, uint32_t> files[] = {
      {"C:\\Fonts\\NONE.TTF", 2}, {"C:\\Fonts", 5}, {"C:\\Fonts\\LOCKED.TTF", 32}};
  for (const auto& [path, code] : files) {
    TFontFileInfo record;
    record.SetFileName(path);
    EXPECT_TRUE(record.Bad()) << path;
    EXPECT_EQ(record.FontName(), ErrorText(code)) << path;
  }
  TFontFileInfo longPath;
  longPath.SetFileName("C:\\Fonts\\" + std::string(300, 'x') + ".TTF");
  EXPECT_TRUE(longPath.Bad());
  EXPECT_NE(longPath.FontName(), "");
}

TEST_F(ReaderTest, ReadFaultsInTheDirectoryFailInTablesDoNot) {
  const std::string font = tt::StandardFont("Faulty").Build();
  os.AddFile(kPath, font);
  os.FailReadAfter(kPath, 12 + 8);  // inside the first directory entry
  TFontFileInfo inDirectory;
  inDirectory.SetFileName(kPath);
  EXPECT_TRUE(inDirectory.Bad());
  EXPECT_EQ(inDirectory.FontName(), ErrorText(sys::kErrorReadFault));

  os.AddFile("C:\\Fonts\\B.TTF", font);
  os.FailReadAfter("C:\\Fonts\\B.TTF", 12 + 16 * 4 + 6 + 24);  // inside the name table
  TFontFileInfo inTable;
  inTable.SetFileName("C:\\Fonts\\B.TTF");
  EXPECT_FALSE(inTable.Bad());
  EXPECT_EQ(inTable.FontName(), "");
  EXPECT_EQ(inTable.UnitsPerEm(), 0) << "every later read fails too";
  EXPECT_TRUE(inTable.InfoRead());

  // A directory longer than the first read, so that its end needs a seek.
  FontBuilder many;
  for (int i = 0; i < 40; ++i) many.Table("x" + std::to_string(100 + i), "");
  os.AddFile("C:\\Fonts\\C.TTF", many.Names({MsName(4, "Faulty")}).Build());
  os.RefuseSeek("C:\\Fonts\\C.TTF");
  TFontFileInfo refused;
  refused.SetFileName("C:\\Fonts\\C.TTF");
  EXPECT_TRUE(refused.Bad());
  EXPECT_EQ(refused.FontName(), ErrorText(sys::kErrorSeek));
}

TEST_F(ReaderTest, HugeCountsInSmallFilesAreCheap) {
  // numTables 65535 over a short file.
  TFontFields f = ReadAll(FontBuilder().Head().NumTables(65535).Build());
  EXPECT_TRUE(f.Bad);

  // A name count of 65535 with three real records.
  const std::string font =
      FontBuilder().Names({MsName(1, "Fam"), MacName(4, "Mac"), MsName(2, "Sub")}, {.count = 65535}).Build();
  const int readsBefore = os.Reads();
  f = ReadAll(font);
  EXPECT_FALSE(f.Bad);
  EXPECT_EQ(f.FontName, "Mac");
  EXPECT_EQ(f.FamilyName, "Fam");
  EXPECT_LE(os.Reads() - readsBefore, 10) << "records past the end cost no system calls";
}

// Two faces that differ in every value the reader takes, the second a CFF one.
std::string TwoFaceCollection(uint32_t version = 0x00010000) {
  return tt::Collection({tt::StandardFont("Face Zero", "Zero").Head({.unitsPerEm = 1000}),
                         FontBuilder()
                             .Version(tt::kOtto)
                             .Os2({.weightClass = 700, .panose = {2, 2, 0, 9}})
                             .Head({.unitsPerEm = 2000})
                             .Names({MsName(4, "Face One"), MsName(1, "One")})},
                        {.version = version});
}

TEST_F(ReaderTest, EachFaceOfACollectionAndACffFontIsReadFromItsOwnTables) {
  for (const uint32_t version : {0x00010000u, 0x00020000u}) {
    os.AddFile(kPath, TwoFaceCollection(version));
    TFontFileInfo zero, one;
    zero.SetFileName(kPath);
    one.SetFileName(kPath, 1);
    EXPECT_EQ(zero.FontName(), "Face Zero");
    EXPECT_EQ(one.FontName(), "Face One");
    EXPECT_EQ(one.FaceIndex(), 1u);
    const TFontFields z = zero.Fields(), o = one.Fields();
    EXPECT_EQ(std::tie(z.FamilyName, z.UnitsPerEm, z.WeightClass, z.FontKind, z.FaceCount, z.Format),
              std::make_tuple("Zero", 1000, 400, fkSansSerif, 2u, ffTrueType));
    EXPECT_EQ(std::tie(o.FamilyName, o.UnitsPerEm, o.WeightClass, o.FontKind, o.FaceCount, o.Format),
              std::make_tuple("One", 2000, 700, fkMonospaced, 2u, ffCff));
    EXPECT_FALSE(z.Bad || o.Bad);
  }
  // A file of one CFF font is its own face 0.
  TFontFields f = ReadAll(tt::StandardFont("Cff Sans").Version(tt::kOtto).Build());
  EXPECT_EQ(std::tie(f.FontName, f.FaceCount, f.Format, f.UnitsPerEm),
            std::make_tuple("Cff Sans", 0u, ffCff, 2048));
  f = ReadAll(tt::StandardFont("Plain").Build());
  EXPECT_EQ(std::tie(f.FaceCount, f.Format), std::make_tuple(0u, ffTrueType));
}

TEST_F(ReaderTest, FacesAndOffsetsTheFileCannotHoldMakeBadRecords) {
  const std::string good = TwoFaceCollection();
  const auto readFace = [&](const std::string& file, uint32_t face) {
    os.AddFile(kPath, file);
    os.SetLastError(0);
    TFontFileInfo record;
    record.SetFileName(kPath, face);
    return record.Fields();
  };
  const auto withCount = [&](uint32_t count) { return good.substr(0, 8) + tt::U32(count) + good.substr(12); };
  const auto withOffset = [&](uint32_t offset) { return good.substr(0, 16) + tt::U32(offset) + good.substr(20); };
  const struct {
    const char* what;
    std::string file;
    uint32_t face;
    uint32_t error;
  } bad[] = {
      {"face past the count", good, 2, sys::kErrorInvalidData},
      {"no faces at all", withCount(0), 0, sys::kErrorInvalidData},
      {"count the file cannot hold", withCount(0xFFFFFFFF), 0, sys::kErrorHandleEof},
      {"count just past the file", withCount(uint32_t(good.size() / 4)), 1, sys::kErrorHandleEof},
      {"offset past the end", withOffset(0xFFFFFFF0), 1, sys::kErrorHandleEof},
      {"offset at the last bytes", withOffset(uint32_t(good.size() - 11)), 1, sys::kErrorHandleEof},
      {"header cut short", good.substr(0, 10), 0, sys::kErrorHandleEof},
      {"offsets cut short", good.substr(0, 14), 0, sys::kErrorHandleEof},
      {"a face other than 0 of a single font", tt::StandardFont("Single").Build(), 1, sys::kErrorInvalidData},
  };
  for (const auto& c : bad) {
    const int reads = os.Reads();
    const TFontFields f = readFace(c.file, c.face);
    EXPECT_TRUE(f.Bad) << c.what;
    EXPECT_FALSE(f.InfoRead) << c.what;
    EXPECT_EQ(f.FontName, ErrorText(c.error)) << c.what;
    EXPECT_LE(os.Reads() - reads, 6) << c.what;
  }
  // A face whose last table is cut short is read as a single font is.
  const TFontFields f = readFace(good.substr(0, good.size() - 40), 1);
  EXPECT_FALSE(f.Bad) << "the tables of face 1 are cut off, not its directory";
  EXPECT_EQ(f.UnitsPerEm, 2000);
}

TEST_F(ReaderTest, NamesOnlyReadTouchesDirectoryAndTheFrontOfTheNameTable) {
  // Shaped like a real font: many tables, big glyph data before the name
  // table, Macintosh records first, strings far from the records.
  std::vector<tt::NameRecord> names;
  for (uint16_t id = 0; id <= 14; ++id) names.push_back(MacName(id, std::string(200, 'm')));
  for (uint16_t id = 0; id <= 14; ++id) names.push_back(MsName(id, "Microsoft " + std::to_string(id)));
  FontBuilder builder;
  for (const char* tag : {"FFTM", "GDEF", "GPOS", "GSUB", "cmap", "cvt ", "fpgm", "gasp"})
    builder.Table(tag, std::string(3000, 'x'));
  builder.Os2().Table("glyf", std::string(500000, 'g')).Head().Hhea().Names(names);
  builder.Table("post", std::string(20000, 'p'));
  os.AddFile(kPath, builder.Build());

  TFontFileInfo record;
  record.SetFileName(kPath);
  EXPECT_EQ(record.FontName(), "Microsoft 4");
  EXPECT_EQ(os.Opens(), 1);
  EXPECT_LE(os.Reads(), 3);

  EXPECT_EQ(record.UnitsPerEm(), 2048);
  EXPECT_EQ(os.Opens(), 2);
  EXPECT_LE(os.Reads(), 3 + 8) << "one block per table and a few for the names";
}

std::vector<char32_t> CodePointsOf(const std::string& path, uint32_t face = 0) {
  return ReadCodePoints(path, face);
}

TEST_F(ReaderTest, CodePointsComeFromTheWindowsSubtablesLessGlyphZeroInOrderPerFace) {
  using tt::CmapFormat4, tt::CmapFormat12;
  // 0x21 maps to glyph 0 by its delta, 0x42 through the glyph index array,
  // the sentinel 0xFFFF by its delta: none of them is mapped.
  const std::string bmp = CmapFormat4({{0x20, 0x22, 0xFFDF}, {0x41, 0x43, 0, 4}, {0xFFFF, 0xFFFF, 1}}, {5, 0, 7});
  const std::string symbol = CmapFormat4({{0xF020, 0xF021, 1}, {0xFFFF, 0xFFFF, 1}});
  const std::string full = CmapFormat12({{0x22, 0x22, 1}, {0x1F600, 0x1F601, 9}});
  const std::string mac = CmapFormat12({{0x30, 0x39, 1}});
  const FontBuilder whole = tt::StandardFont("Whole").Table(
      "cmap", tt::CmapTable({{1, 0, mac}, {3, 1, bmp}, {3, 10, full}, {3, 0, symbol}}));
  const std::vector<char32_t> expected{0x20, 0x22, 0x41, 0x43, 0xF020, 0xF021, 0x1F600, 0x1F601};
  os.AddFile(kPath, whole.Build());
  EXPECT_EQ(CodePointsOf(kPath), expected);

  // Each face its own; a face the collection lacks, or a font without cmap, maps nothing.
  const FontBuilder latin = tt::StandardFont("Latin").Table("cmap", tt::CmapTable({{3, 10, CmapFormat12({{0x41, 0x5A, 1}})}}));
  os.AddFile(kPath, tt::Collection({whole, latin}));
  EXPECT_EQ(CodePointsOf(kPath, 0), expected);
  EXPECT_EQ(CodePointsOf(kPath, 1).size(), 26u);
  EXPECT_TRUE(CodePointsOf(kPath, 2).empty());
  os.AddFile(kPath, tt::StandardFont("None").Build());
  EXPECT_TRUE(CodePointsOf(kPath).empty());
}

TEST_F(ReaderTest, CmapSubtablesAreCutAtTheirTableAndHugeCountsAreCheap) {
  using tt::CmapFormat4, tt::CmapFormat12;
  // The glyph index array entry of 0x30 lies just past the format 4
  // subtable, on the format 12 one's nonzero format field; the format 12
  // subtable claims three groups where its table holds one, and the table
  // after it holds two more.
  const std::string bmp = CmapFormat4({{0x30, 0x31, 0, 4}, {0xFFFF, 0xFFFF, 1}});
  const std::string full = CmapFormat12({{0x41, 0x41, 3}}, 3);
  const std::string font = tt::StandardFont("Cut")
                               .Table("cmap", tt::CmapTable({{3, 1, bmp}, {3, 10, full}}))
                               .Table("zzzz", tt::U32(0x61) + tt::U32(0x62) + tt::U32(4) + tt::U32(0x100) +
                                                  tt::U32(0x100) + tt::U32(5))
                               .Build();
  os.AddFile(kPath, font);
  EXPECT_EQ(CodePointsOf(kPath), std::vector<char32_t>{0x41});
  // Cut by the end of the file inside the group: nothing, and no fault.
  os.AddFile(kPath, font.substr(0, font.size() - 24 - 6));
  EXPECT_TRUE(CodePointsOf(kPath).empty());

  // 2^32 - 1 groups claimed in a small file; a group past the last code
  // point is cut there; ranges going back over earlier ones count once.
  std::vector<tt::CmapGroup> groups{{0x10, 0xFFFFFFFF, 1}};
  for (int i = 0; i < 2000; ++i) groups.push_back({0, 0x10FFFF, 2});
  os.AddFile(kPath, tt::StandardFont("Huge")
                        .Table("cmap", tt::CmapTable({{3, 10, CmapFormat12(groups, 0xFFFFFFFF)},
                                                      {3, 1, CmapFormat4({{0, 0xF, 1}, {0xFFFF, 0xFFFF, 1}})}}))
                        .Build());
  const int readsBefore = os.Reads();
  const std::vector<char32_t> points = CodePointsOf(kPath);
  EXPECT_LE(os.Reads() - readsBefore, 12);
  ASSERT_EQ(points.size(), 0x110000u) << "every code point, once";
  EXPECT_EQ(points.front(), 0u);
  EXPECT_EQ(points.back(), 0x10FFFFu);
  EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));
}

}  // namespace
