// The font list's name filter: ASCII letters without regard to case, double-byte
// text by whole characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/NameFilter.h"
#include "tests/support/ScopedCodePage.h"

namespace {

// GBK: 宋体 is CB CE CC E5, so its middle bytes CE CC (a character of their
// own) straddle its two characters; 81 61 and 81 41 are characters whose
// second bytes are the codes of "a" and "A".
const std::string kSongti = "\xCB\xCE\xCC\xE5";
const std::string kStraddler = "\xCE\xCC";

std::vector<std::string> Passing(const TNameFilter& filter, const std::vector<std::string>& names) {
  std::vector<std::string> passed;
  for (const std::string& name : names)
    if (filter.Matches(name)) passed.push_back(name);
  return passed;
}

TEST(NameFilter, AsciiLettersMatchInAnyCaseDoubleByteTextByWholeCharacters) {
  ScopedCodePage codePage(936);
  const std::vector<std::string> names = {
      "SimSun",          "SIMHEI",          "Arial Bold",  kSongti + " Bold", "\x81\x61",
      "\x81\x61" "a",    kSongti + "SimSun", "Sim",         "",               "X\x81",
  };
  EXPECT_EQ(Passing(TNameFilter(""), names), names);
  EXPECT_EQ(Passing(TNameFilter("sIm"), names),
            (std::vector<std::string>{"SimSun", "SIMHEI", kSongti + "SimSun", "Sim"}));
  EXPECT_EQ(Passing(TNameFilter(" BOLD"), names),
            (std::vector<std::string>{"Arial Bold", kSongti + " Bold"}));
  EXPECT_EQ(Passing(TNameFilter(kSongti), names),
            (std::vector<std::string>{kSongti + " Bold", kSongti + "SimSun"}));
  // The character made of 宋's second byte and 体's first is in no name.
  EXPECT_EQ(Passing(TNameFilter(kStraddler), names), std::vector<std::string>{});
  // A second byte is compared exactly, and is never where a match starts.
  EXPECT_EQ(Passing(TNameFilter("A"), names),
            (std::vector<std::string>{"Arial Bold", "\x81\x61" "a"}));
  EXPECT_EQ(Passing(TNameFilter("\x81\x41"), names), std::vector<std::string>{});
  EXPECT_EQ(Passing(TNameFilter("\x81\x61"), names),
            (std::vector<std::string>{"\x81\x61", "\x81\x61" "a"}));
  // A lone first byte at a name's end is a character of its own.
  EXPECT_EQ(Passing(TNameFilter("\x81"), names), std::vector<std::string>{"X\x81"});
  EXPECT_FALSE(TNameFilter("SimSunX").Matches("SimSun"));
}

TEST(NameFilter, InASingleByteCodePageEveryByteIsACharacter) {
  ScopedCodePage codePage(1252);
  EXPECT_TRUE(TNameFilter(kStraddler).Matches(kSongti));
  EXPECT_TRUE(TNameFilter("A").Matches("\x81\x61"));
}

}  // namespace
