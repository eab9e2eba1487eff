#include <gtest/gtest.h>

#include "sys/codepage.h"
#include "views/model/FontInfoModel.h"
#include "widgets/LinkLabelUrl.h"

using namespace fontinfo;

TEST(FontInfoTexts, WeightAndWidthClassNamesAndBlanksTrimmedFromDoubleByteText) {
  const std::pair<int, const char*> weights[] = {
      {100, "Thin"}, {400, "Normal (Regular)"}, {600, "Semi-bold (Demi-bold)"}, {900, "Black (Heavy)"},
      // Only the exact hundreds have names.
      {450, "Unknown (450)"}, {350, "Unknown (350)"}, {0, "Unknown (0)"}, {1000, "Unknown (1000)"},
      {-100, "Unknown (-100)"}};
  for (const auto& [weight, name] : weights) EXPECT_EQ(WeightClassName(weight), name);
  const std::pair<int, const char*> widths[] = {
      {1, "Ultra-condensed (50% of normal)"}, {5, "Medium (Normal)"}, {9, "Ultra-expanded (200% of normal)"},
      {0, "Unknown (0)"}, {10, "Unknown (10)"}};
  for (const auto& [width, name] : widths) EXPECT_EQ(WidthClassName(width), name);

  EXPECT_EQ(TrimBlanks(" \r\n\tVersion 1.0\x01 \n"), "Version 1.0");
  EXPECT_EQ(TrimBlanks("\xB0\xE6\xC8\xA8 "), "\xB0\xE6\xC8\xA8");  // GBK bytes untouched
  EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(FontInfoTexts, SectionsCaptionsAndValuesInOrder) {
  const auto& sections = Sections();
  ASSERT_EQ(sections.size(), kSectionCount);
  const wchar_t* headers[] = {L"名称详细资料", L"版本", L"版权", L"商标", L"厂商",
                              L"设计者", L"描述", L"许可", L"基本印刷尺度", L"Windows 尺度"};
  for (size_t s = 0; s < kSectionCount; ++s) EXPECT_EQ(sections[s].header, headers[s]);
  EXPECT_EQ(CaptionText(sections[8].captions[0]), L"Units per Em:");
  EXPECT_EQ(sections[0].captions.size(), 6u);
  EXPECT_EQ(sections[0].captions[5], L"字体格式");
  EXPECT_EQ(sections[8].captions.size(), 6u);
  EXPECT_EQ(sections[9].captions.size(), 13u);
  EXPECT_EQ(sections[9].captions[6], L"斜体");

  TFontFields f;
  f.FontName = "Face";
  f.UniqueID = "id";
  f.Manufacturer = "Maker";
  f.LicenseURL = "http://l";
  f.UnitsPerEm = 2048;
  f.Descender = -483;
  f.MaxExtent = 12345;
  f.WeightClass = 700;
  f.WidthClass = 3;
  f.AvgCharWidth = -7;
  f.Bold = true;
  f.Regular = false;
  const auto values = SectionValues(f);
  ASSERT_EQ(values.size(), kSectionCount);
  for (size_t s = 0; s < kSectionCount; ++s) {
    const size_t expected = sections[s].captions.empty() ? 1 : sections[s].captions.size();
    EXPECT_EQ(values[s].values.size(), expected) << s;
  }
  EXPECT_EQ(values[0].values[0], "Face");
  EXPECT_EQ(values[0].values[4], "id");
  EXPECT_EQ(values[0].values[5], "TrueType");
  f.Format = ffCff;
  EXPECT_EQ(SectionValues(f)[0].values[5], "OpenType (CFF)");
  f.FaceIndex = 1;
  f.FaceCount = 2;
  EXPECT_EQ(sys::AnsiToUtf8(SectionValues(f)[0].values[5]), "OpenType (CFF) 字体集合，第 2 个字体 (共 2 个)");
  f.Format = ffTrueType;
  EXPECT_EQ(sys::AnsiToUtf8(SectionValues(f)[0].values[5]), "TrueType 字体集合，第 2 个字体 (共 2 个)");
  EXPECT_EQ(values[4].values[0], "Maker");
  EXPECT_EQ(values[7].link, "http://l");
  EXPECT_EQ(values[8].values[0], "2048");
  EXPECT_EQ(values[8].values[2], "-483");
  EXPECT_EQ(values[8].values[4], "12345");  // no grouping
  EXPECT_EQ(values[9].values[0], "Bold");
  EXPECT_EQ(values[9].values[1], "Condensed (75% of normal)");
  EXPECT_EQ(values[9].values[5], "-7");
  EXPECT_EQ(values[9].values[6], "No");
  EXPECT_EQ(values[9].values[11], "Yes");
  EXPECT_EQ(values[9].values[12], "No");

  // Which sections are left out: empty single values; linked ones only when
  // both the value and the address are empty; the row sections never.
  EXPECT_TRUE(SectionShown(sections[0], values[0]));
  EXPECT_FALSE(SectionShown(sections[1], values[1]));
  EXPECT_TRUE(SectionShown(sections[4], values[4]));   // maker without an address
  EXPECT_FALSE(SectionShown(sections[5], values[5]));  // no designer at all
  EXPECT_TRUE(SectionShown(sections[7], values[7]));   // an address alone
  EXPECT_TRUE(SectionShown(sections[8], TSectionValues{}));
}

TEST(FontInfoKeys, EveryKeyAndShiftState) {
  enum { Up = 0x26, Down = 0x28, PgUp = 0x21, PgDn = 0x22, Home = 0x24, End = 0x23 };
  struct Case { unsigned key; bool none, ctrl; int code; };
  const Case cases[] = {
      {Up, true, false, 0},   {Up, false, true, 2},   {Up, false, false, 2},
      {Down, true, false, 1}, {Down, false, true, 3}, {Down, false, false, 3},
      {PgUp, false, true, 6}, {PgUp, true, false, 2}, {PgUp, false, false, 2},
      {PgDn, false, true, 7}, {PgDn, true, false, 3}, {PgDn, false, false, 3},
      {Home, true, false, 6}, {Home, false, true, 6}, {End, true, false, 7}, {End, false, false, 7},
      {0x25, true, false, -1}, {'A', true, false, -1}, {0x0D, false, true, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(ScrollCodeForKey(c.key, c.none, c.ctrl), c.code) << c.key << " " << c.none << c.ctrl;
}

TEST(LinkLabelRule, OnlyWebAndMailAddressesOpen) {
  using linklabel::IsOpenableUrl;
  EXPECT_TRUE(IsOpenableUrl("http://dejavu.sourceforge.net"));
  EXPECT_TRUE(IsOpenableUrl("HTTPS://example.org/a?b=c"));
  EXPECT_TRUE(IsOpenableUrl("mailto:someone@example.org"));
  for (const char* bad : {"C:\\Windows\\system32\\cmd.exe", "file:", "file:///C:/x.exe",
                          "\\\\server\\share\\x.exe", "cmd.exe", "www.example.org", "http://",
                          "http:\\\\x", "https:///x", "mailto:", "javascript:alert(1)",
                          "http://x\" & calc", "http://a b", "http://x\r\ncalc", "",
                          "ftp://example.org", "shell:startup", "http:/x"})
    EXPECT_FALSE(IsOpenableUrl(bad)) << bad;
}
