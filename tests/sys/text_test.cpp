// Wildcards, name lists and code page conversions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/PathText.h"
#include "sys/codepage.h"
#include "tests/support/ScopedCodePage.h"

namespace {

TEST(Wildcard, MatchesAsWindowsDoesWithoutRegardToCaseAndAnswersAHostilePattern) {
  EXPECT_TRUE(sys::MatchWildcard("*.TTF", "arial.ttf"));
  EXPECT_FALSE(sys::MatchWildcard("*.TTF", "arial.ttfx"));
  EXPECT_FALSE(sys::MatchWildcard("*.TTF", "arial.fon"));
  EXPECT_TRUE(sys::MatchWildcard("*.TTF", ".ttf"));
  EXPECT_FALSE(sys::MatchWildcard("*.TTF", "ttf"));
  EXPECT_TRUE(sys::MatchWildcard("*", ""));
  EXPECT_TRUE(sys::MatchWildcard("*", ".hidden"));
  EXPECT_TRUE(sys::MatchWildcard("*.*", "NoExtension"));
  EXPECT_TRUE(sys::MatchWildcard("?.txt", "c.TXT"));
  EXPECT_FALSE(sys::MatchWildcard("?.txt", "cc.txt"));
  EXPECT_TRUE(sys::MatchWildcard("a*b*c", "aXXbYYc"));
  EXPECT_FALSE(sys::MatchWildcard("", "a"));
  EXPECT_TRUE(sys::MatchWildcard("", ""));
  EXPECT_FALSE(sys::MatchWildcard("*a*a*a*a*a*a*a*a*b", std::string(20000, 'a'))) << "hostile";
}

TEST(NameOrder, IsTheOrderOfTheUpperCasedBytes) {
  // "_" lies between the upper- and lower-case letters; high bytes sort last.
  const std::vector<std::string> names = {"", "a", "A", "ab", "aB", "a_", "_", "Z", "z",
                                          "ab\xB0", "\xB0\xA1", "\xB0", "a\x7F"};
  for (const auto& a : names)
    for (const auto& b : names)
      EXPECT_EQ(sys::LessNoCase(a, b), sys::UpperAscii(a) < sys::UpperAscii(b)) << a << " " << b;
}

TEST(NulList, NamesEndAtTheEmptyOneOrTheEndOfTheText) {
  using List = std::vector<std::string>;
  EXPECT_EQ(sys::SplitNulList(std::string("a\0b\0\0c\0", 7)), (List{"a", "b"}));
  EXPECT_EQ(sys::SplitNulList("single"), (List{"single"}));
  EXPECT_TRUE(sys::SplitNulList(std::string("\0", 1)).empty());
}

class CodePage936 : public testing::Test {
  ScopedCodePage codePage_{936};
};

TEST_F(CodePage936, CaseIgnoresLettersNotTheSecondByteOfACharacter) {
  // "\x81\x61" and "\x81\x41" are two different characters, not a letter's cases.
  EXPECT_EQ(sys::UpperAscii("a\x81\x61z"), "A\x81\x61Z");
  EXPECT_EQ(sys::LowerAscii("A\x81\x41Z"), "a\x81\x41z");
  EXPECT_FALSE(sys::EqualNoCase("\x81\x61.ttf", "\x81\x41.TTF"));
  EXPECT_TRUE(sys::EqualNoCase("x\x81\x61.ttf", "X\x81\x61.TTF"));
  const std::vector<std::string> names = {"\x81\x61", "\x81\x41", "\x81\x61" "b", "a\x81\x41", "A\x81\x61",
                                          "x\x81\x61", "x\x81\x41"};
  for (const auto& a : names)
    for (const auto& b : names)
      EXPECT_EQ(sys::LessNoCase(a, b), sys::UpperAscii(a) < sys::UpperAscii(b)) << a << " " << b;
}

TEST_F(CodePage936, ChineseTextRoundTripsWhatItLacksIsMarkedMalformedInputNeverStopsIt) {
  const std::string gbk = "\xD6\xD0\xCE\xC4 Font";                  // 中文 Font
  const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87 Font";
  EXPECT_EQ(sys::AnsiToUtf8(gbk), utf8);
  EXPECT_EQ(sys::Utf8ToAnsi(utf8), gbk);
  EXPECT_EQ(sys::AnsiToUtf16(gbk), u"中文 Font");
  EXPECT_EQ(sys::Utf16ToAnsi(u"中文 Font"), gbk);
  EXPECT_EQ(sys::Widen(gbk), L"中文 Font");
  EXPECT_EQ(sys::Narrow(L"中文 Font"), gbk);

  EXPECT_EQ(sys::Utf16ToAnsi(u"a\u0E01b"), "a?b");          // Thai
  EXPECT_EQ(sys::Utf16ToAnsi(u"x\U0001F600y"), "x??y");    // one mark per UTF-16 unit
  // One character's own code, never a stand-in.
  EXPECT_EQ(sys::CodePointToAnsi(U'\x4E00'), "\xD2\xBB");
  EXPECT_EQ(sys::CodePointToAnsi(U'A'), "A");
  EXPECT_EQ(sys::CodePointToAnsi(U'\x0E01'), "");
  EXPECT_EQ(sys::CodePointToAnsi(U'\x1F600'), "");
  EXPECT_EQ(sys::Narrow(L""), "");
  EXPECT_EQ(sys::AnsiToUtf16(""), u"");

  const std::u16string text = sys::AnsiToUtf16(std::string("ab\xD6", 3));  // a lead byte alone
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(0, 2), u"ab");
  EXPECT_EQ(sys::Utf8ToAnsi("a\xFF\xC3"), sys::Utf8ToAnsi("a") + sys::Utf16ToAnsi(u"\uFFFD\uFFFD"));
}

TEST(CodePage, AnotherCanBeChosenAndAsciiPassesUnchangedInEachOfWindows) {
  ScopedCodePage western(1252);
  EXPECT_EQ(sys::AnsiToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(sys::Utf8ToAnsi("\xE4\xB8\xAD"), "?");

  std::string bytes;
  std::u16string units;
  for (int c = 0; c < 0x80; ++c) {
    bytes += static_cast<char>(c);
    units += static_cast<char16_t>(c);
  }
  for (unsigned codePage : {874u, 932u, 936u, 949u, 950u, 1250u, 1252u, 1258u, 28591u, 65001u}) {
    SCOPED_TRACE(codePage);
    sys::SetCodePage(codePage);
    EXPECT_EQ(sys::Utf16ToAnsi(units), bytes);
    EXPECT_EQ(sys::AnsiToUtf16(bytes), units);
    EXPECT_EQ(sys::Utf16ToAnsi(u"Font \u00E9"),
              sys::Utf16ToAnsi(u"Font ") + sys::Utf16ToAnsi(u"\u00E9"));
  }
}

}  // namespace
