#include "tests/support/RealFonts.h"

#include <gtest/gtest.h>

#include "sys/sys.h"

std::string WinePath(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string NativePath(const RealFont& font) {
#ifdef _WIN32
  return WinePath(font.unixPath);
#else
  return font.unixPath;
#endif
}

bool RealFontPresent(const RealFont& font) { return sys::DefaultBackend().FileExists(NativePath(font)); }

void ExpectRealFont(TFontFileInfo& record, const RealFont& font) {
  SCOPED_TRACE(font.unixPath);
  EXPECT_FALSE(record.Bad());
  EXPECT_EQ(record.FontName(), font.fontName);
  EXPECT_EQ(record.FamilyName(), font.familyName);
  EXPECT_EQ(record.SubfamilyName(), font.subfamilyName);
  EXPECT_EQ(record.PostScriptName(), font.postScriptName);
  EXPECT_EQ(record.UnitsPerEm(), font.unitsPerEm);
  EXPECT_EQ(record.Ascender(), font.ascender);
  EXPECT_EQ(record.Descender(), font.descender);
  EXPECT_EQ(record.WeightClass(), font.weightClass);
  EXPECT_EQ(record.WidthClass(), 5);
  EXPECT_EQ(record.AvgCharWidth(), font.avgCharWidth);
  EXPECT_EQ(record.WinHeight(), font.winHeight);
  EXPECT_EQ(record.FontKind(), font.kind);
  EXPECT_TRUE(record.Regular());
  EXPECT_FALSE(record.Bold() || record.Italic());
  EXPECT_TRUE(record.InfoRead());
  EXPECT_FALSE(record.Copyright().empty());
  EXPECT_FALSE(record.Version().empty());
}
